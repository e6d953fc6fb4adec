#include "textsearch/url_label_qt.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

#include "textsearch/color_qt.h"

namespace nuvel {

TNvcURL::TNvcURL(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  setMouseTracking(true);
  QFont f = font();
  f.setUnderline(true);
  setFont(f);
  Opener = [](const std::string& url) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(url)));
  };
  Beep = [] { QApplication::beep(); };
  hover_.setInterval(100);
  connect(&hover_, &QTimer::timeout, this, [this] { HoverTick(); });
}

void TNvcURL::ShowText() { setText(caption_.isEmpty() ? QString::fromStdString(url_) : caption_); }

void TNvcURL::SetCaption(const QString& caption) {
  caption_ = caption;
  ShowText();
}

void TNvcURL::SetURL(const std::string& url) {
  url_ = url;
  ShowText();
}

void TNvcURL::SetHighlightColor(std::optional<TColor> c) {
  highlight_ = c;
  saved_.reset();
}

void TNvcURL::SetVisitedColor(std::optional<TColor> c) {
  visited_ = c;
  saved_.reset();
}

QColor TNvcURL::TextColor() const { return palette().color(QPalette::WindowText); }

void TNvcURL::SetTextColor(const QColor& c) {
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, c);
  setPalette(pal);
}

void TNvcURL::mouseReleaseEvent(QMouseEvent* e) {
  QLabel::mouseReleaseEvent(e);
  if (e->button() != Qt::LeftButton) return;
  if (!url_.empty()) {
    const bool opened = Opener && Opener(url_.substr(0, 1023));
    if (!opened && Beep) Beep();
  }
  if (OnClick) OnClick(*this);
  if (UseVisitedColor) {
    const QColor visited = visited_ ? ToQColor(*visited_) : TextColor();
    if (saved_) saved_ = visited;
    else SetTextColor(visited);
  }
}

void TNvcURL::mouseMoveEvent(QMouseEvent* e) {
  QLabel::mouseMoveEvent(e);
  if (hover_.isActive()) return;
  if (!saved_) saved_ = TextColor();
  if (highlight_) SetTextColor(ToQColor(*highlight_));
  hover_.start();
}

void TNvcURL::HoverTick() {
  if (rect().contains(mapFromGlobal(QCursor::pos())) && underMouse()) return;
  hover_.stop();
  if (saved_) SetTextColor(*saved_);
  saved_.reset();
  update();
}

}  // namespace nuvel
