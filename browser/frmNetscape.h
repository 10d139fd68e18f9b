#pragma once
// The "Warning..." dialog shown when Navigator's preference file cannot be found. The
// user-interface service draws it; this class remembers the answer: OK stores the
// state of "&Do not display this warning again" as "NavigatorWarning" ("1" ticked,
// "0" not), closing it any other way stores nothing.

class frmNetscape {
  public:
    // Shows the dialog modally with the normal mouse pointer, then puts the previous
    // pointer back.
    void Show();

  private:
    void cmdOK_Click();

    // The "&Do not display this warning again" box, as the user left it.
    bool chkWarning_ = false;
};
