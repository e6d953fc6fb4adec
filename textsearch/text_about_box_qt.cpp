#include "textsearch/text_about_box_qt.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "textsearch/nvc_label_qt.h"
#include "textsearch/url_label_qt.h"

namespace nuvel {

TTextAboutBox::TTextAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TextAboutBox"));
  setWindowTitle(QStringLiteral("About"));
  auto* box = new QVBoxLayout(this);
  auto* product = new TNvcLabel(this);
  product->setObjectName(QStringLiteral("ProductName"));
  product->setText(QStringLiteral("Text Search"));
  product->setMinimumSize(300, 40);
  product->Effects().SetAppearance(TNvcAppearance::apShadow);
  box->addWidget(product);
  const struct {
    const char* name;
    const char* text;
  } lines[] = {
      {"Version", "Version 3.55"},
      {"Label1", "Search in the collection of classic Hebrew texts"},
      {"Label2", "Part of the Nuvel Text Editor"},
      {"Label3", "All rights reserved"},
  };
  for (const auto& l : lines) {
    auto* label = new QLabel(QString::fromLatin1(l.text), this);
    label->setObjectName(QString::fromLatin1(l.name));
    box->addWidget(label);
  }
  Link = new TNvcURL(this);
  Link->setObjectName(QStringLiteral("NvcURL1"));
  Link->SetURL("https://www.nuvel.co.il");
  box->addWidget(Link);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  box->addWidget(ok, 0, Qt::AlignHCenter);
}

}  // namespace nuvel
