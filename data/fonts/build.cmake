# The program's own fonts, made from Debian font packages with their family
# renamed to the faces the program asks for: culmus's monospaced Miriam for
# the Hebrew screen fonts (letters with points), DejaVu Sans Mono for the DOS
# font (the control characters' symbols).
set(nuvel_font_script ${CMAKE_CURRENT_LIST_DIR}/make_font.py)
set(nuvel_culmus /usr/share/fonts/truetype/culmus)
set(nuvel_dejavu /usr/share/fonts/truetype/dejavu)

set(nuvel_font_outputs)
foreach(font_entry
    "NuvDosBt.FON|${nuvel_dejavu}/DejaVuSansMono.ttf|NuvDos Bitmap|10|18"
    "Scr_Nuvh.TTF|${nuvel_culmus}/MiriamMonoCLM-Book.ttf|VoraziRARO Vor"
    "Scr_NuvF.TTF|${nuvel_culmus}/MiriamMonoCLM-Bold.ttf|ZoridiZOZA RarUv"
    "Scr_NuvC.TTF|${nuvel_culmus}/MiriamMonoCLM-BookOblique.ttf|DodizaRUDA DezUr")
  string(REPLACE "|" ";" parts "${font_entry}")
  list(GET parts 0 file)
  list(GET parts 1 source)
  list(GET parts 2 family)
  set(scale)
  list(LENGTH parts count)
  if(count GREATER 3)
    list(SUBLIST parts 3 2 scale)
  endif()
  add_custom_command(
    OUTPUT ${NUVEL_PROGRAM_DIR}/${file}
    COMMAND /usr/bin/python3 ${nuvel_font_script} ${source} ${NUVEL_PROGRAM_DIR}/${file} "${family}" ${scale}
    DEPENDS ${nuvel_font_script} ${source}
    COMMENT "Making font ${file} (${family})"
    VERBATIM)
  list(APPEND nuvel_font_outputs ${NUVEL_PROGRAM_DIR}/${file})
endforeach()

add_custom_target(nuvel_fonts DEPENDS ${nuvel_font_outputs})
add_dependencies(nuvel_data nuvel_fonts)
