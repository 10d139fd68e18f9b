#include "setup/SetupDialogs.h"

namespace setup {

DLG_LIC::DLG_LIC(const std::string& agreement) : Form("DLG_LIC", "Licence agreement") {
    lblHeading.Caption(
        "To continue with this installation, you must agree to all terms of this licence agreement.");
    txtAgreement.MultiLine(true);
    txtAgreement.Locked(true);
    txtAgreement.Text(agreement);
    cmdAgree.Caption("I agree");
    cmdAgree.Default(true);
    cmdCancel.Caption("&Cancel");
    cmdCancel.Cancel(true);
    cmdAgree.onClick([this] {
        agreed_ = true;
        Unload();
    });
    cmdCancel.onClick([this] { Unload(); });
}

bool DLG_LIC::ask() {
    agreed_ = false;
    ShowModal();
    return agreed_;
}

FileExist::FileExist(const std::string& fileName)
    : Form("FileExist", fileName + " already exists - overwrite ?") {
    lblQuestion.Caption(fileName + " already exists - overwrite ?");
    cmdYes.Caption("&Yes");
    cmdYes.Default(true);
    cmdNo.Caption("&No");
    cmdNo.Cancel(true);
    chkDontAsk.Caption("Don't &ask again");
    cmdYes.onClick([this] {
        yes_ = true;
        Unload();
    });
    cmdNo.onClick([this] { Unload(); });
}

OverwriteAnswer FileExist::ask() {
    yes_ = false;
    ShowModal();
    return {yes_, chkDontAsk.checked()};
}

}  // namespace setup
