#pragma once
// The input box on the screen: a modal QInputDialog for the input-box
// service, installed while its owner lives unless a service is there
// already (a test's).
#include <QObject>

namespace nuvel {

void InstallQtInputBox(QObject* owner);

}  // namespace nuvel
