#pragma once
// The services the host hands every add-in object it creates (rmw_host_services): the
// message box of the program's user interface, the Windows and system folders, the
// profile-string functions and whole-file reads and writes, all through the installed
// platform services. So an add-in acts on the machine the program works on, its writes
// into a configuration file being saved land in that save, and a file it writes while a
// configuration is applied changes only when the whole apply succeeds.
//
// No exception leaves a service: a failure is answered the Win32 way (0, or an error
// code).

#include "addins/sdk/RoamwiseAddIn.h"

class AddInHostServices {
  public:
    AddInHostServices();
    AddInHostServices(const AddInHostServices&) = delete;
    AddInHostServices& operator=(const AddInHostServices&) = delete;

    // The table to hand the library; valid as long as this object.
    const rmw_host_services* table() const { return &table_; }

  private:
    rmw_host_services table_{};
};
