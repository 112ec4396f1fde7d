// Entry of install.exe: placeholder until the application object lands.
int WinMain(void*, void*, char*, int) { return 1; }
