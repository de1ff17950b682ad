#pragma once

#define IDR_MAINFRAME 128
#define IDD_CALIBRATE 102
