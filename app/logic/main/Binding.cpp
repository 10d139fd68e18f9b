#include "app/logic/main/Binding.h"

#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/OptionButton.h"
#include "platform/forms/TextBox.h"

std::string controlValue(const forms::Control& control) {
    if (const auto* text = dynamic_cast<const forms::TextBox*>(&control)) return text->Text();
    if (const auto* box = dynamic_cast<const forms::CheckBox*>(&control))
        return box->checked() ? "1" : "0";
    if (const auto* option = dynamic_cast<const forms::OptionButton*>(&control))
        return option->Value() ? "1" : "0";
    if (const auto* list = dynamic_cast<const forms::ComboBox*>(&control)) return list->Text();
    return control.Caption();
}
