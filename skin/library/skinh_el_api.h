#pragma once

// The two entry points of the skin library SkinH_EL, as the program calls them.
//
// SkinH_AttachRes(skin bytes, their length, password, hue, saturation, brightness) => 0 when the
// skin is worn. No bytes or length 0 puts the application's default look back. Our skins are not
// encrypted or tinted, so the password and the three tints are accepted and not used.
//
// SkinH_SetAero(1) => 0 when the Aero look is on; SkinH_SetAero(0) takes it off.
//
// Both return -1 when there is no QApplication on the calling thread, and AttachRes returns -2
// for bytes that hold no skin of ours; the look then stays as it was.

namespace tieba {

using SkinAttachResFunction = int(const unsigned char* data, int length, const char* password,
                                  int hue, int saturation, int brightness);
using SkinSetAeroFunction = int(int on);

inline constexpr const char* kSkinAttachResName = "SkinH_AttachRes";
inline constexpr const char* kSkinSetAeroName = "SkinH_SetAero";

inline constexpr int kSkinDone = 0;
inline constexpr int kSkinNoApplication = -1;
inline constexpr int kSkinNotASkin = -2;

} // namespace tieba
