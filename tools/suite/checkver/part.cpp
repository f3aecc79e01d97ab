// A DLL of the check library's own, as its runtime would be: it lies only in the library's folder.
extern "C" __declspec(dllexport) int ZM_CheckVerPart() {
    return 1;
}
