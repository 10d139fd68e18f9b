/* A shared library that is no add-in: it exports no rmw_addin_entry. */
int test_not_an_addin(void) { return 42; }
