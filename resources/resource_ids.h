// Resource numbers shared by the resource script and the Windows layer.
#pragma once
#define IDI_QUILLPAD 100
