#include "tools/calculator_qt.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>
#include <algorithm>

namespace nuvel {

namespace {

// The named colours of the schemes.
const QColor kGray(0x80, 0x80, 0x80);
const QColor kWindow(0xFF, 0xFF, 0xFF);
const QColor kWindowText(0, 0, 0);
const QColor kMaroon(0x80, 0, 0);
const QColor kNavy(0, 0, 0x80);
const QColor kRed(0xFF, 0, 0);
const QColor kBlue(0, 0, 0xFF);
const QColor kBlack(0, 0, 0);
const QColor kAqua(0, 0xFF, 0xFF);
const QColor kTeal(0, 0x80, 0x80);
const QColor kPurple(0x80, 0, 0x80);
const QColor kWhite(0xFF, 0xFF, 0xFF);

std::array<QColor, 8> SchemeColors(TNvcCalcColorScheme scheme) {
  switch (scheme) {
    case cscalcDark: return {kGray, kBlack, kAqua, kBlack, kTeal, kNavy, kMaroon, kBlue};
    case cscalcOcean: return {kGray, kAqua, kBlack, kPurple, kNavy, kNavy, kAqua, kBlue};
    case cscalcPlain: return {kGray, kWhite, kNavy, kBlack, kNavy, kNavy, kBlue, kBlue};
    case cscalcWindows:
    case cscalcCustom:
    default: return {kGray, kWindow, kWindowText, kMaroon, kNavy, kRed, kBlue, kRed};
  }
}

QFont CourierNew10() {
  QFont f(QStringLiteral("Courier New"), 10);
  f.setStyleHint(QFont::TypeWriter);
  return f;
}

constexpr int kMinTapeHeight = 30;
constexpr int kPastPaperRole = Qt::UserRole + 1;

// Draws a tape line in the tape's font, its colour from the item, and the
// last character on red for a line past the paper count.
class TapeLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    opt.widget->style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    const QFontMetrics metrics(opt.font);
    const int right = opt.rect.right() - 2;
    const int lastWidth = text.isEmpty() ? 0 : metrics.horizontalAdvance(text.back());
    if (index.data(kPastPaperRole).toBool() && lastWidth > 0)
      painter->fillRect(QRect(right - lastWidth + 1, opt.rect.top(), lastWidth, opt.rect.height()), kRed);
    const QVariant fg = index.data(Qt::ForegroundRole);
    painter->setPen(fg.isValid() ? fg.value<QBrush>().color() : opt.palette.color(QPalette::Text));
    painter->setFont(opt.font);
    painter->drawText(opt.rect.adjusted(2, 0, -2, 0), Qt::AlignRight | Qt::AlignVCenter, text);
  }
};

}  // namespace

TNvcCalcColors::TNvcCalcColors() : colors_(SchemeColors(cscalcWindows)) {}

void TNvcCalcColors::SetColor(Index i, const QColor& c) {
  colors_[i] = c;
  if (!loading_) scheme_ = cscalcCustom;
  if (OnChange) OnChange();
}

void TNvcCalcColors::SetColorScheme(TNvcCalcColorScheme scheme) {
  scheme_ = scheme;
  if (scheme == cscalcCustom) return;
  loading_ = true;
  const auto colors = SchemeColors(scheme);
  for (int i = 0; i < 8; ++i) SetColor(static_cast<Index>(i), colors[i]);
  loading_ = false;
}

TNvcCalcPanel::TNvcCalcPanel(QWidget* parent) : QLabel(parent) {}

void TNvcCalcPanel::mousePressEvent(QMouseEvent* event) {
  if (parentWidget()) parentWidget()->setFocus(Qt::MouseFocusReason);
  QLabel::mousePressEvent(event);
}

TNvcCalculator::TNvcCalculator(QWidget* parent) : QWidget(parent) { Init(); }

TNvcCalculator::TNvcCalculator(QWidget* parent, bool popup) : QWidget(parent, popup ? Qt::Popup : Qt::Widget) {
  Init();
}

void TNvcCalculator::Init() {
  resize(200, 140);
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);
  QFont f(QStringLiteral("MS Sans Serif"), 8);
  f.setStyleHint(QFont::SansSerif);
  setFont(f);
  tapeFont_ = CourierNew10();
  tapeHeight_ = height() / 3;

  display_ = new TNvcCalcPanel(this);
  display_->setFont(CourierNew10());
  display_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  display_->setLineWidth(2);
  display_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  display_->setAutoFillBackground(true);
  display_->setText(QStringLiteral("0 "));

  model_.DecimalSeparator = DecimalSeparator();
  model_.OnBeep = [] { QApplication::beep(); };
  model_.OnButtonPressed = [this](int button) { emit ButtonPressed(button); };
  colors_.OnChange = [this] {
    ApplyColors();
    update();
  };
  LayoutControls();
  model_.PressButton(cbClear);
  model_.ClearTape();
  RefreshDisplay();
  ApplyColors();
}

char TNvcCalculator::DecimalSeparator() const {
  const QString point = QLocale().decimalPoint();
  if (point.size() == 1 && point[0].unicode() < 0x80) return static_cast<char>(point[0].unicode());
  return '.';
}

QString TNvcCalculator::ButtonCaption(int button) const {
  return QString::fromLatin1(CalcButtonCaption(button, model_.DecimalSeparator));
}

void TNvcCalculator::SetOptions(int options) {
  options_ = options;
  model_.ShowItemCount = (options & coShowItemCount) != 0;
  model_.SetShowSeparatePercent((options & coShowSeparatePercent) != 0);
  LayoutControls();
  update();
}

void TNvcCalculator::SetDecimals(int decimals) {
  model_.SetDecimals(decimals);
  RefreshDisplay();
}

void TNvcCalculator::SetTapeHeight(int height) {
  tapeHeight_ = std::max(height, kMinTapeHeight);
  LayoutControls();
  update();
}

void TNvcCalculator::SetMaxPaperCount(int count) {
  maxPaperCount_ = count;
  RefreshTape();
}

void TNvcCalculator::SetTapeFont(const QFont& font) {
  tapeFont_ = font;
  if (tape_) tape_->setFont(font);
  LayoutControls();
}

QString TNvcCalculator::Text() const { return display_->text(); }

void TNvcCalculator::SetText(const QString& text) { display_->setText(text); }

QRect TNvcCalculator::ButtonRect(int button) const {
  return button >= 1 && button <= kCalcButtonCount ? rects_[button] : QRect();
}

bool TNvcCalculator::ButtonVisible(int button) const {
  return button >= 1 && button <= kCalcButtonCount && visible_[button];
}

void TNvcCalculator::LayoutControls() {
  if (!display_) return;  // still being built
  const bool wide = width() > 200;
  const int margin = wide ? 6 : 4;
  const int gap = wide ? 4 : 2;
  const int inner = std::max(0, width() - 2 * margin);

  const int displayHeight = QFontMetrics(display_->font()).height() + 8;
  display_->setGeometry(margin, margin, inner, displayHeight);
  int y = margin + displayHeight + gap;

  if (options_ & coShowTape) {
    if (!tape_) {
      tape_ = new QListWidget(this);
      tape_->setFocusPolicy(Qt::NoFocus);
      tape_->setFrameStyle(QFrame::Box | QFrame::Plain);
      tape_->setFont(tapeFont_);
      tape_->setItemDelegate(new TapeLineDelegate(tape_));
      tape_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      tape_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      connect(tape_, &QListWidget::itemClicked, this, &TNvcCalculator::TapeLineClicked);
      ApplyColors();
    }
    tape_->setGeometry(margin, y, inner, tapeHeight_);
    tape_->show();
    y += tapeHeight_ + gap;
  } else if (tape_) {
    tape_->hide();
  }

  // The tape width in characters, from the mean width of the digits.
  const QFontMetrics tapeMetrics(tapeFont_);
  const int mean = std::max(1, tapeMetrics.horizontalAdvance(QStringLiteral(" 0123456789")) / 11);
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  model_.SetTapeWidth(std::max(4, (inner - 8 - scrollBar) / mean));

  visible_.fill(false);
  rects_.fill(QRect());
  const bool memory = (options_ & coShowMemoryButtons) != 0;
  const int columns = memory ? 6 : 5;
  const int keysHeight = std::max(0, height() - margin - y);
  const int columnWidth = std::max(1, (inner - gap * (columns - 1)) / columns);
  const int rowHeight = std::max(1, (keysHeight - gap * 4) / 5);
  auto place = [&](int button, int x, int top, int w) {
    rects_[button] = QRect(x, top, w, rowHeight);
    visible_[button] = true;
  };
  const int gridLeft = margin + (memory ? columnWidth + gap : 0);
  const int gridWidth = columnWidth * 5 + gap * 4;
  if (memory) {
    const int memoryKeys[] = {cbMemoryClear, cbMemoryRecall, cbMemoryStore, cbMemoryAdd, cbMemorySubtract};
    for (int r = 0; r < 5; ++r) place(memoryKeys[r], margin, y + r * (rowHeight + gap), columnWidth);
  }
  std::vector<int> top = {cbBack, cbClearEntry, cbClear};
  if (options_ & coShowClearTapeButton) top.insert(top.begin(), cbClearTape);
  const int topWidth = (gridWidth - gap * (static_cast<int>(top.size()) - 1)) / static_cast<int>(top.size());
  for (std::size_t i = 0; i < top.size(); ++i)
    place(top[i], gridLeft + static_cast<int>(i) * (topWidth + gap), y, topWidth);
  const int rows[4][5] = {
      {cbDigit0 + 7, cbDigit0 + 8, cbDigit0 + 9, cbDivide, cbSquareRoot},
      {cbDigit0 + 4, cbDigit0 + 5, cbDigit0 + 6, cbMultiply, cbPercent},
      {cbDigit0 + 1, cbDigit0 + 2, cbDigit0 + 3, cbSubtract, cbReciprocal},
      {cbDigit0, cbPlusMinus, cbDecimal, cbAdd, cbEquals},
  };
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 5; ++c)
      place(rows[r][c], gridLeft + c * (columnWidth + gap), y + (r + 1) * (rowHeight + gap), columnWidth);
  RefreshDisplay();
}

void TNvcCalculator::ApplyColors() {
  QPalette p = display_->palette();
  p.setColor(QPalette::Window, colors_.Color(TNvcCalcColors::Display));
  p.setColor(QPalette::WindowText, colors_.Color(TNvcCalcColors::DisplayTextColor));
  display_->setPalette(p);
  if (tape_) {
    QPalette tp = tape_->palette();
    tp.setColor(QPalette::Base, colors_.Color(TNvcCalcColors::Display));
    tp.setColor(QPalette::Text, colors_.Color(TNvcCalcColors::DisplayTextColor));
    tape_->setPalette(tp);
  }
}

void TNvcCalculator::RefreshDisplay() {
  display_->setText(QString::fromLatin1(model_.DisplayText()));
  RefreshTape();
}

void TNvcCalculator::RefreshTape() {
  if (!tape_) return;
  const auto& lines = model_.Tape();
  tape_->clear();
  std::size_t firstUsed = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (firstUsed == lines.size() && !lines[i].text.empty()) firstUsed = i;
    auto* item = new QListWidgetItem(QString::fromLatin1(model_.TapeLineText(i)), tape_);
    if (!lines[i].text.empty() && lines[i].text[0] == '-') item->setForeground(kRed);
    // Lines past the paper count have their last character on red.
    const bool pastPaper = firstUsed < lines.size() && static_cast<long long>(i - firstUsed) >= maxPaperCount_;
    item->setData(kPastPaperRole, pastPaper);
  }
  tape_->scrollToBottom();
}

void TNvcCalculator::TapeLineClicked(QListWidgetItem* item) {
  if (model_.TakeTapeLine(static_cast<std::size_t>(tape_->row(item)))) RefreshDisplay();
}

void TNvcCalculator::PressButton(int button) {
  if (button < 1 || button > kCalcButtonCount) return;
  const bool showPress = shownPressed_ == cbNone;
  if (showPress) {
    shownPressed_ = button;
    repaint(rects_[button]);
  }
  model_.PressButton(button);
  RefreshDisplay();
  if (showPress && mouseButton_ != button) {
    shownPressed_ = cbNone;
    update(rects_[button]);
  }
  if (button >= cbMemoryClear) update();  // the memory keys' colours follow the memory
}

void TNvcCalculator::CopyToClipboard() { QApplication::clipboard()->setText(Text()); }

void TNvcCalculator::PasteFromClipboard() {
  const QString text = QApplication::clipboard()->text();
  std::string bytes;
  for (QChar c : text) bytes += c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : ' ';
  model_.Paste(bytes);
  RefreshDisplay();
  update();
}

int TNvcCalculator::ButtonAt(const QPoint& p) const {
  for (int b = 1; b <= kCalcButtonCount; ++b)
    if (visible_[b] && rects_[b].contains(p)) return b;
  return cbNone;
}

QColor TNvcCalculator::ButtonColor(int button) const {
  using C = TNvcCalcColors;
  switch (button) {
    case cbClearTape:
    case cbBack:
    case cbClearEntry:
    case cbClear: return colors_.Color(C::EditButtons);
    case cbAdd:
    case cbSubtract:
    case cbMultiply:
    case cbDivide:
    case cbEquals: return colors_.Color(C::OperatorButtons);
    case cbReciprocal:
    case cbPlusMinus:
    case cbPercent:
    case cbSquareRoot: return colors_.Color(C::FunctionButtons);
    case cbMemoryClear:
    case cbMemoryRecall:
      return model_.MemoryHoldsValue() ? colors_.Color(C::MemoryButtons) : colors_.Color(C::DisabledMemoryButtons);
    case cbMemoryStore:
    case cbMemoryAdd:
    case cbMemorySubtract: return colors_.Color(C::MemoryButtons);
    default: return colors_.Color(C::NumberButtons);
  }
}

void TNvcCalculator::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Button));
  for (int b = 1; b <= kCalcButtonCount; ++b) {
    if (!visible_[b]) continue;
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = rects_[b];
    option.state = QStyle::State_Enabled | (shownPressed_ == b ? QStyle::State_Sunken : QStyle::State_Raised);
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
    painter.setPen(ButtonColor(b));
    painter.drawText(rects_[b], Qt::AlignCenter, ButtonCaption(b));
    if (b == cbEquals && hasFocus()) {
      QStyleOptionFocusRect focus;
      focus.initFrom(this);
      focus.rect = rects_[b].adjusted(3, 3, -3, -3);
      style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
  }
  if (draggingTape_) {
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawLine(0, dragY_, width(), dragY_);
  }
}

void TNvcCalculator::resizeEvent(QResizeEvent* event) {
  if ((options_ & coShowTape) && event->oldSize().height() > 0)
    tapeHeight_ = std::max(kMinTapeHeight, tapeHeight_ + event->size().height() - event->oldSize().height());
  LayoutControls();
  QWidget::resizeEvent(event);
}

void TNvcCalculator::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers();
  const bool ctrl = (mods & Qt::ControlModifier) != 0;
  const bool shift = (mods & Qt::ShiftModifier) != 0;
  int button = cbNone;
  if (ctrl) {
    switch (event->key()) {
      case Qt::Key_L: button = cbMemoryClear; break;
      case Qt::Key_R: button = cbMemoryRecall; break;
      case Qt::Key_M: button = cbMemoryStore; break;
      case Qt::Key_P: button = cbMemoryAdd; break;
      case Qt::Key_S: button = cbMemorySubtract; break;
      case Qt::Key_T: button = cbClearTape; break;
      case Qt::Key_C: CopyToClipboard(); return;
      case Qt::Key_V: PasteFromClipboard(); return;
      default: break;
    }
  } else {
    switch (event->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter: button = cbEquals; break;
      case Qt::Key_Backspace: button = cbBack; break;
      case Qt::Key_Escape: button = cbClear; break;
      case Qt::Key_Delete: button = shift ? cbNone : cbClearEntry; break;
      case Qt::Key_F9: button = shift ? cbNone : cbPlusMinus; break;
      default: {
        const QString text = event->text();
        if (text.size() == 1 && text[0].unicode() < 0x80)
          button = CalcButtonForChar(static_cast<char>(text[0].unicode()), model_.DecimalSeparator);
        break;
      }
    }
  }
  if (button == cbNone) {
    QWidget::keyPressEvent(event);
    return;
  }
  PressButton(button);
}

void TNvcCalculator::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  if ((options_ & coShowTape) && tape_) {
    const int border = tape_->geometry().bottom();
    if (p.y() > border && p.y() <= border + (width() > 200 ? 6 : 4)) {
      draggingTape_ = true;
      dragY_ = p.y();
      update();
      return;
    }
  }
  const int button = ButtonAt(p);
  if (button == cbNone) return;
  if ((button == cbMemoryClear || button == cbMemoryRecall) && !model_.MemoryHoldsValue()) return;
  mouseButton_ = button;
  shownPressed_ = button;
  update(rects_[button]);
}

void TNvcCalculator::mouseMoveEvent(QMouseEvent* event) {
  if (!draggingTape_) return;
  const int top = tape_ ? tape_->geometry().top() : 0;
  dragY_ = std::clamp(event->position().toPoint().y(), top + 30, std::max(top + 30, height() - 30));
  update();
}

void TNvcCalculator::mouseReleaseEvent(QMouseEvent* event) {
  if (draggingTape_) {
    draggingTape_ = false;
    const int top = tape_ ? tape_->geometry().top() : 0;
    SetTapeHeight(dragY_ - top - 8);
    return;
  }
  const int button = mouseButton_;
  mouseButton_ = cbNone;
  if (button == cbNone) return;
  shownPressed_ = cbNone;
  update(rects_[button]);
  if (ButtonAt(event->position().toPoint()) == button) PressButton(button);
}

void TNvcCalculator::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) LayoutControls();
  QWidget::changeEvent(event);
}

void TNvcCalculator::focusInEvent(QFocusEvent* event) {
  update(rects_[cbEquals]);
  QWidget::focusInEvent(event);
}

void TNvcCalculator::focusOutEvent(QFocusEvent* event) {
  update(rects_[cbEquals]);
  QWidget::focusOutEvent(event);
}

}  // namespace nuvel
