// Resource numbers shared by the resource script and the Windows layer.
#pragma once
#define IDI_QUILLPAD 100
#define IDR_FONT 200
#define IDR_PNG_REFRESH 201
#define IDR_PNG_SETTINGS 202
#define IDR_PNG_CLOSE 203
#define IDR_PNG_HELP 204
// The same pictures drawn for 120, 144 and 192 DPI: 10, 20 and 30 numbers further on.
#define kPictureScaleStep 10
#define IDR_PNG_REFRESH_120 211
#define IDR_PNG_SETTINGS_120 212
#define IDR_PNG_CLOSE_120 213
#define IDR_PNG_HELP_120 214
#define IDR_PNG_REFRESH_144 221
#define IDR_PNG_SETTINGS_144 222
#define IDR_PNG_CLOSE_144 223
#define IDR_PNG_HELP_144 224
#define IDR_PNG_REFRESH_192 231
#define IDR_PNG_SETTINGS_192 232
#define IDR_PNG_CLOSE_192 233
#define IDR_PNG_HELP_192 234
