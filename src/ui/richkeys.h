#pragma once

class QTextEdit;

namespace ui {

/// Gives a rich-text box the usual formatting keys: Ctrl+B bold, Ctrl+I italic, Ctrl+U
/// underline, each switching the style of the selection (or of what is typed next).
void installFormattingKeys(QTextEdit* box);

} // namespace ui
