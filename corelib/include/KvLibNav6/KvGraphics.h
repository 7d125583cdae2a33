// 32-bit bitmaps, pixel formats, the night screen and small drawing settings.
//
// Colours are uint32_t $AARRGGBB ("ARGB"), which is also the byte order blue, green, red,
// alpha of a bitmap pixel in memory. "Library RGB" is the same layout with the alpha byte
// ignored ($00RRGGBB); TColor has red and blue the other way round.
#pragma once

#include "KvTypes.h"
#include "KvCallbacks.h"

// A colour in the program's palette form: $00BBGGRR (red in the low byte).
using TColor = int32_t;

// A font handed to text drawing: the QFont* of the program; never owned by the library.
using FontHandle = void *;

struct TRectD { double Left = 0.0, Top = 0.0, Right = 0.0, Bottom = 0.0; };  // pixels
struct TSize { int32_t Width = 0, Height = 0; };                               // pixels

// Pixel-format codes (TImageInfo::Format, IBmp32::GetPixelFormat, PixelGetBitCount).
namespace PixelFormat {
inline constexpr int32_t Device = 0;  // device-dependent or 1 bit per pixel
inline constexpr int32_t Bits4 = 2;
inline constexpr int32_t Bits8 = 3;
inline constexpr int32_t Bits15 = 4;
inline constexpr int32_t Bits16 = 6;
inline constexpr int32_t Bits24 = 7;
inline constexpr int32_t Bits32 = 8;
// The record describes a decoded image that is not a pixel buffer of the program.
inline constexpr int32_t NotABuffer = 0x7FFFFFFF;
}  // namespace PixelFormat

// Layout of a block of pixel rows handed to or filled by the library.
struct TImageInfo {
    int32_t Format = PixelFormat::Device;
    int32_t Pitch = 0;        // bytes per row: CalcPitch(width, PixelGetBitCount(format), 32)
    int32_t Width = 0;        // pixels
    int32_t Height = 0;       // pixels
    // -1: rows stored bottom-up, so the image's last row has the lowest address;
    // 0: top-down.
    int32_t Orientation = 0;
};

// A 32-bit bitmap; pixels are bytes blue, green, red, alpha, rows top-down.
// From Bmp32Create (caller-owned). Bitmaps handed out by getters of other objects
// (waypoint-type icons and overlays, waypoint icons) belong to those objects.
class KVLIB_API IBmp32 : public NavObject {
public:
    // Takes over the size and pixels of other (which stays unchanged).
    virtual void Assign(IBmp32 *other) = 0;                                         // slot 1
    // Alpha-blends the src part of this bitmap into dst of target; callers pass mode 2.
    virtual void Blend(IBmp32 *target, const TRectD &dst, const TRectD &src, int32_t mode,
                       int32_t reserved) = 0;                                       // slot 5
    // Copies src of a device context (a QPainter whose device is an image or pixmap)
    // into this bitmap at dst; the counterpart of DrawTo.
    virtual void CopyFromDC(DeviceContext dc, const TPoint &dst, const TRect &src) = 0;  // slot 7
    // Callers pass flags 0 and borderWidth 1.0.
    virtual void FillRect(const TRectD &r, uint32_t fill, uint32_t border, int32_t flags,
                          float borderWidth) = 0;                                   // slot 11
    // Resamples this bitmap into target, whose size stays as it is.
    virtual void DrawScaled(IBmp32 *target) = 0;                                    // slot 13
    // (x, y) is the top-left corner of the text; colour is ARGB; value is reserved (0).
    virtual void DrawText(const TStrWRec &text, int32_t x, int32_t y, FontHandle font,
                          uint32_t colour, int32_t value) = 0;                      // slot 14
    // flag: horizontal alignment in bits 0-1 (0 left, 1 centre, 2 right) plus vertical
    // alignment 0 top, 4 centre, 8 bottom; format1: ARGB text colour (0 = opaque black);
    // format2: 1 wraps words; format3 reserved.
    virtual void DrawTextRect(const TStrWRec &text, const TRect &r, FontHandle font,
                              int32_t flag, int32_t format1, int32_t format2,
                              int32_t format3) = 0;                                 // slot 15
    virtual void Fill(uint32_t colour) = 0;                                         // slot 17
    // A QPainter on this bitmap, owned by the bitmap and valid until the next SetSize,
    // load or delete; the pixels are current once the painting calls have returned.
    virtual DeviceContext GetDC() = 0;                                              // slot 21
    virtual int32_t GetHeight() = 0;                                                // slot 22 (assumed)
    // Bits per pixel of the loaded file, as a PixelFormat code.
    virtual int32_t GetPixelFormat() = 0;                                           // slot 24
    // Where CopyFromDC places a whole-device copy (the origin for a plain bitmap).
    virtual void GetDestinationPosition(TPoint &out) = 0;                           // slot 25
    virtual void GetBounds(TRect &out) = 0;                                         // slot 26
    // First byte of row y (0 = top); 4 * GetWidth() bytes; nullptr outside the bitmap.
    virtual uint8_t *GetRow(int32_t y) = 0;                                         // slot 27
    virtual void TextExtent(const TStrWRec &text, FontHandle font, TSize &out) = 0; // slot 29
    virtual int32_t GetWidth() = 0;                                                 // slot 31 (assumed)
    // BMP and TGA (tga true forces the TGA reader). info, when given, receives the layout
    // of the file's pixels. Callers pass value 1.
    virtual void LoadFromFile(const TStrWRec &file, int32_t value, bool tga, TImageInfo *info,
                              int32_t &err) = 0;                                    // slot 33
    virtual void LoadFromFile2(const TStrWRec &file, int32_t value, int32_t flag, int32_t v1,
                               int32_t &err) = 0;                                   // slot 34
    // The TGA pictures of the program's resources.
    virtual void LoadFromFile3(const TStrWRec &file, int32_t value, int32_t v1,
                               int32_t &err) = 0;                                   // slot 36
    // Sets the alpha of every pixel.
    virtual void SetAlpha(uint8_t alpha) = 0;                                       // slot 39 (assumed)
    // Contents are undefined after a size change until drawn.
    virtual void SetSize(int32_t w, int32_t h) = 0;                                 // slot 43 (assumed)
    // Draws src of this bitmap into dst of a device context (a QPainter), alpha-blended.
    virtual void DrawTo(DeviceContext dc, const TRect &dst, const TRect &src) = 0;  // slot — ≡ Draw
    virtual void FlipHorizontal() = 0;                                              // slot —
    virtual void FlipVertical() = 0;                                                // slot —
    // Pixels whose red, green and blue equal colour get matchAlpha, all others
    // otherAlpha: (0, 255, c) makes c the transparent colour of an icon.
    virtual void SetColorAlpha(uint8_t matchAlpha, uint8_t otherAlpha, uint32_t colour) = 0;  // slot —
};

// Night colours for the whole program. From GetNightScreen; process-wide, never deleted.
// Identity while night mode is off. Colour variables are registered by address and
// recoloured in place when the mode or the intensity changes, so they must stay
// registered no longer than they live.
class KVLIB_API INightScreen : public NavObject {
public:
    // Recolour Height rows of Pitch bytes in place, starting at lastRow, the address of
    // the image's last row (its lowest address when bottom-up, Orientation -1).
    // Only the colour channels change; alpha stays.
    virtual void ConvertRows32(void *lastRow, const TImageInfo &info) = 0;          // slot 1
    virtual void ConvertRows24(void *lastRow, const TImageInfo &info) = 0;          // slot 5
    // Night mode on.
    virtual bool IsActive() = 0;                                                    // slot 6
    virtual void AddColorARGB(uint32_t *colourVar) = 0;                             // slot 10
    virtual void AddColor(TColor *colourVar) = 0;                                   // slot 12 (assumed)
    // cb(data, 0, kind): kind 2 = switched on, 1 = switched off, 0 = night colours changed
    // while on. Called on the GUI thread after the registered variables were recoloured.
    virtual void AddModeCallback(NightModeProc cb, void *data) = 0;                 // slot 13
    // 0.0 (lightest) .. 1.0 (darkest); the program stores 0.5 by default.
    virtual void SetIntensity(float intensity) = 0;                                 // slot 15
    virtual void RemoveColorARGB(uint32_t *colourVar) = 0;                          // slot 18
    virtual void RemoveColor(TColor *colourVar) = 0;                                // slot 20 (assumed)
    virtual void RemoveModeCallback(NightModeProc cb, void *data) = 0;              // slot 21
    // Colour to paint with now.
    virtual TColor ConvertColor(TColor c) = 0;                                      // slot —
    // Same for a library RGB colour ($00RRGGBB).
    virtual uint32_t ConvertRGB(uint32_t libraryRGB) = 0;                           // slot —
    // Recolours a bitmap in place.
    virtual void ConvertBmp32(IBmp32 *bmp) = 0;                                     // slot —
    // Colour as displayed in the current mode.
    virtual TColor GetColor(TColor c) = 0;                                          // slot —
    // The program has no active switch for night mode; this one serves tests and a
    // future view action.
    virtual void SetActive(bool on) = 0;                                            // slot —
};

// (0, 0, 0) gives an empty bitmap to be loaded; flag 1 for a bitmap that will be drawn
// into. Pixels start transparent black. Caller-owned.
KVLIB_API IBmp32 *Bmp32Create(int32_t width, int32_t height, int32_t flag);
// Bits per pixel as stored: Device 1, Bits4 4, Bits8 8, Bits15 16, Bits16 16, Bits24 24,
// Bits32 32; 0 for other codes.
KVLIB_API int32_t PixelGetBitCount(int32_t formatCode);
// Bytes per row of width pixels, each row padded to a multiple of align bits (32).
KVLIB_API int32_t CalcPitch(int32_t width, int32_t bitsPerPixel, int32_t align);
// Draws overlay into icon, alpha-blended, with the overlay's centre on origin (icon
// pixels; centres on whole coordinates, so an even-sized icon has its centre at .5).
KVLIB_API void DrawIconOverlay(IBmp32 *icon, IBmp32 *overlay, const TFloat2 &origin);
// Outline of the own-ship cursor: count points (x, y) in pixels around the ship's
// position, bow up; the points are copied.
KVLIB_API void SetCursorBoat(const TFloat2 *points, int32_t count);
// Library RGB colour ($00RRGGBB) of the route object the ship is heading for.
KVLIB_API uint32_t GetColorVectorCurrent();
KVLIB_API INightScreen *GetNightScreen();
