// A skin library that lacks SkinH_SetAero, for the loader to pass over.
extern "C" __attribute__((visibility("default"))) int SkinH_AttachRes(const unsigned char*, int,
                                                                      const char*, int, int, int) {
    return 0;
}
