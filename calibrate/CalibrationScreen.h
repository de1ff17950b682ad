#pragma once

// What the calibration sequence asks of its window.
class CalibrationScreen {
  public:
    virtual ~CalibrationScreen() = default;
    // Stops the time-out and tick timers and restarts the ten seconds from zero.
    virtual void StopTimers() = 0;
    virtual void RepaintNow() = 0;
    virtual void FillBackground() = 0;
    virtual void ShowCursor(bool visible) = 0;
    virtual bool AskYesNo(const wchar_t* text, const wchar_t* caption) = 0;
    // A message with an OK button, captioned with the program's name.
    virtual void Tell(const wchar_t* text) = 0;
    // A message with an OK button under the given caption.
    virtual void TellUnder(const wchar_t* caption, const wchar_t* text) = 0;
    virtual void EndAccepted() = 0;
};
