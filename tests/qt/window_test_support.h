// Small helpers shared by the window's tests.
#pragma once

#include <string>

#include <QString>
#include <QWidget>

namespace windowtest {

template <typename T>
T* Control(const QWidget& window, const QString& name) {
    return window.findChild<T*>(name);
}

// A text box shows CR LF as one line break and hands back LF only.
inline QString AsShown(const std::string& crlfText) {
    return QString::fromUtf8(crlfText).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace windowtest
