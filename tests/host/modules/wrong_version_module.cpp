// A module built for another version of the host interface, for the host program's tests.
extern "C" unsigned ovrxGetApiVersion() { return 0x07E10000; }
extern "C" int ovrxEntryPoint(int, void*) { return 0; }
