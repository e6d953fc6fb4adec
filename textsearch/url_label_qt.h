#pragma once
// A label that opens its link when clicked and lights up while the pointer
// is over it. The opener is injectable, so tests never start a browser.
#include <QLabel>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>

#include "core/color.h"

namespace nuvel {

class TNvcURL : public QLabel {
  Q_OBJECT
 public:
  explicit TNvcURL(QWidget* parent = nullptr);

  // Shown text; when empty the link is shown.
  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  const std::string& URL() const { return url_; }
  void SetURL(const std::string& url);
  // The hover colour; clNone-like "none" is the font colour (std::nullopt).
  void SetHighlightColor(std::optional<TColor> c);
  void SetVisitedColor(std::optional<TColor> c);
  bool UseVisitedColor = false;

  // Opens a link; false when it could not. The default hands it to the
  // desktop.
  std::function<bool(const std::string& url)> Opener;
  // Fired after every click, also when the link could not be opened.
  std::function<void(TNvcURL& sender)> OnClick;
  // Sounded when the link could not be opened.
  std::function<void()> Beep;

  QColor TextColor() const;
  bool Hovering() const { return saved_.has_value(); }

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  void ShowText();
  void SetTextColor(const QColor& c);
  void HoverTick();

  QString caption_;
  std::string url_;
  std::optional<TColor> highlight_ = clRed;
  std::optional<TColor> visited_;
  std::optional<QColor> saved_;  // the colour to restore when the pointer leaves
  QTimer hover_;
};

}  // namespace nuvel
