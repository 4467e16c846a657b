// The host program: loads the plug-in module and runs commands.
int main() { return 0; }
