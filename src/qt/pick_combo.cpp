#include "qt/pick_combo.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtGlobal>

namespace kneebrace {

void MakePickOnly(QComboBox& combo) {
    combo.setEditable(true);
    combo.setInsertPolicy(QComboBox::NoInsert);
    // The inline completer would turn a typed prefix into an entry and activate it.
    combo.setCompleter(nullptr);
    // QComboBox turns Enter and the edit field losing focus into `activated` when the
    // text equals an entry. Cut exactly those two paths; the tests check that typing
    // stays silent, so a Qt that wires this differently is noticed.
    const bool enterCut =
        QObject::disconnect(combo.lineEdit(), &QLineEdit::returnPressed, &combo, nullptr);
    const bool focusOutCut =
        QObject::disconnect(combo.lineEdit(), &QLineEdit::editingFinished, &combo, nullptr);
    if (!enterCut || !focusOutCut)
        qWarning(
            "kneebrace: the size list's edit field is wired differently in this Qt; "
            "typing may select a size");
}

}  // namespace kneebrace
