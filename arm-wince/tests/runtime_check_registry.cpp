// A file of the runtime program that nothing refers to: only its static
// constructor ties it in. The link must keep it, as a program's registries
// and tables of static objects need.

extern bool g_registeredFromAnotherFile;

namespace {

struct Registration {
    Registration() { g_registeredFromAnotherFile = true; }
} g_registration;

}  // namespace
