#pragma once
// The association of .RMW files with the main program: the file type "rmw_auto_file" of
// the extension ".rmw", whose open command runs Rmw.exe from the program's folder with
// the file's path.

#include <string>

class clsEasyRegistry;

class FileAssociation {
  public:
    // Works through REGISTRY, which its owner keeps with errors suppressed.
    explicit FileAssociation(clsEasyRegistry& registry);

    // Whether the open command of the file type runs a Rmw.exe (in any letter case) with
    // the file's path.
    bool isRegistered();
    // Creates the association afresh for Rmw.exe in PROGRAMFOLDER (a Windows path without
    // a trailing backslash); whatever the extension and the file type held before goes.
    void create(const std::string& programFolder);
    // Removes the extension and the file type with everything below them.
    void remove();

  private:
    // Deletes the key NAME below the key PARENTPATH together with all its subkeys. NT
    // deletes only keys without subkeys, so the tree is taken apart from the bottom up.
    void deleteTree(const std::string& parentPath, const std::string& name);

    clsEasyRegistry& registry_;
};
