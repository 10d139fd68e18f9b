// The one piece of the failing test add-in written in C++: it lets an exception escape
// into the add-in's C frames and on into the host, as a careless library would.
#include <stdexcept>

extern "C" void test_addin_throw() { throw std::runtime_error("an add-in lost its footing"); }
