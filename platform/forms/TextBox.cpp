#include "platform/forms/TextBox.h"

namespace forms {

// The view hears of the new text before the handler runs, so a handler that reads the
// screen (or changes the text again) sees it in step.
void TextBox::Text(const std::string& text) {
    if (!assign(text_, text, Property::Text)) return;
    raise(change_);
}

// A field the program filled beyond its maximum (a hand-edited file's 17-character
// computer name) keeps its text: the user can shorten it but not make it longer.
bool TextBox::type(const std::string& text) {
    if (!usable() || locked_) return false;
    if (maxLength_ == 0 || text.size() <= maxLength_ || text.size() <= text_.size()) {
        Text(text);
        return true;
    }
    if (text_.size() >= maxLength_) return false;
    Text(text.substr(0, maxLength_));
    return true;
}

}  // namespace forms
