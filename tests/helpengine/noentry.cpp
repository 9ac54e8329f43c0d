// A module that loads but offers no help entry, as a foreign library at the engine's place.
extern "C" __attribute__((visibility("default"))) int NotTheHelpEntry()
{
    return 0;
}
