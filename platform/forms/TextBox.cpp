#include "platform/forms/TextBox.h"

namespace forms {

void TextBox::Text(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    raise(change_);
}

void TextBox::type(const std::string& text) {
    Text(maxLength_ != 0 && text.size() > maxLength_ ? text.substr(0, maxLength_) : text);
}

}  // namespace forms
