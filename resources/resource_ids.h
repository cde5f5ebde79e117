// Resource numbers shared by the resource script and the Windows layer.
#pragma once
#define IDI_QUILLPAD 100
#define IDR_FONT 200
#define IDR_PNG_REFRESH 201
#define IDR_PNG_SETTINGS 202
#define IDR_PNG_CLOSE 203
#define IDR_PNG_HELP 204
