// The angle size list: an editable drop-down in which only a choice from the list counts.
#pragma once

class QComboBox;

namespace kneebrace {

// Makes `combo` editable while keeping typing out of its `activated` signal: a pick in
// the open list (mouse or keyboard) and the arrow keys or wheel on the closed box still
// emit it, as a classic Windows combo's click does, but typed text never does, whether
// it ends with Enter, with the focus leaving, or happens to equal an entry. Nothing
// typed is ever added to the list. The window settles typed text on its own path.
void MakePickOnly(QComboBox& combo);

}  // namespace kneebrace
