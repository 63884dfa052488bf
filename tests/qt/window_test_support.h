// Small helpers shared by the window's tests.
#pragma once

#include <string>

#include <QAbstractButton>
#include <QString>
#include <QTest>
#include <QWidget>

#include "support/text_diff.h"

namespace windowtest {

template <typename T>
T* Control(const QWidget& window, const QString& name) {
    return window.findChild<T*>(name);
}

// Qt Test clicks the centre; option buttons and check boxes are wider than their
// caption and ignore a click there, as they would a real one.
inline void ClickIndicator(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// A text box shows CR LF as one line break and hands back LF only.
inline QString AsShown(const std::string& crlfText) {
    return QString::fromUtf8(crlfText).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Empty when equal, else where the texts first differ, with code points.
inline QByteArray Difference(const QString& expected, const QString& actual) {
    return QByteArray::fromStdString(
        testsupport::DescribeDifference(expected.toStdString(), actual.toStdString()));
}

}  // namespace windowtest
