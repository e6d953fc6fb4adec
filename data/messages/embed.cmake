# The program's message tables, compiled into the engine library from their
# readable sources: string_manager.txt (the string manager's own texts) and
# english.txt (the control framework's English messages).
set(nuvel_messages_dir ${CMAKE_SOURCE_DIR}/data/messages)
set(nuvel_messages_cpp ${CMAKE_BINARY_DIR}/generated/message_tables.cpp)
add_custom_command(
  OUTPUT ${nuvel_messages_cpp}
  COMMAND /usr/bin/python3 ${nuvel_messages_dir}/make_message_tables.py ${nuvel_messages_cpp}
          NVCSRMGR_STRINGS=${nuvel_messages_dir}/string_manager.txt
          NVCMSG_ENGLISH=${nuvel_messages_dir}/english.txt
  DEPENDS ${nuvel_messages_dir}/make_message_tables.py ${CMAKE_SOURCE_DIR}/data/text_source.py
          ${nuvel_messages_dir}/string_manager.txt ${nuvel_messages_dir}/english.txt
  COMMENT "Building the message tables"
  VERBATIM)
set(NUVEL_MESSAGE_TABLES_CPP ${nuvel_messages_cpp})
