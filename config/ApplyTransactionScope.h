#pragma once
// One apply of the document as a unit: the platform's registry transaction is begun on
// construction and committed by commit(); an apply that raises part-way is rolled back
// when the scope goes, so the machine keeps everything it had.

class ApplyTransactionScope {
  public:
    // How long an apply waits for one that another program is running.
    static constexpr double kWaitSeconds = 60;

    // Raises error 70 when another program's apply does not end in time.
    ApplyTransactionScope();
    ~ApplyTransactionScope();
    ApplyTransactionScope(const ApplyTransactionScope&) = delete;
    ApplyTransactionScope& operator=(const ApplyTransactionScope&) = delete;

    // Makes the apply's changes the machine's. Raises error 75 naming what could not be
    // written; nothing has changed then.
    void commit();

  private:
    bool open_ = false;
};
