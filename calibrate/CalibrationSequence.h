#pragma once
#include "CalibrationGeometry.h"
#include "CalibrationScreen.h"
#include "DriverLink.h"
#include "ParametersStore.h"
#include "UiLanguage.h"

// Collects one raw point per target, then computes the record, hands it to the driver and,
// when the user agrees, stores it.
class CalibrationSequence {
  public:
    CalibrationSequence(CalibrationScreen& screen, DriverLink& link, const ParametersStore& store,
                        UiLanguage language);

    // Once the window covers the desktop: reads the margin and places the targets.
    void Initialise(std::uint32_t width, std::uint32_t height);
    // A left-button release in the window: the user touched the current target.
    void OnRelease();
    // The window covers a desktop of a new size: the targets move and the pass starts again,
    // and a record of the old size is never stored, even when the question was already open.
    void OnDisplayChange(std::uint32_t width, std::uint32_t height);

    int TargetIndex() const { return m_targetIndex; }
    TargetPoint CurrentCentre() const { return m_centres[m_targetIndex]; }
    std::array<TargetSquare, 4> CurrentSquares() const;
    std::int32_t Radius() const { return m_scale.radius; }
    bool Finished() const { return m_finished; }
    const CalibrationRecord& Record() const { return m_record; }

  private:
    void Finish();
    // Ends a pass whose point could not be read, as if it had been finished.
    void AbandonPass();
    // An empty screen with the cursor, for a message or the question at the end of a pass.
    void ClearForMessage();
    // Every pass collects its own four points.
    void StartNewPass();

    CalibrationScreen& m_screen;
    DriverLink& m_link;
    const ParametersStore& m_store;
    UiLanguage m_language;
    std::uint32_t m_width = 0;
    std::uint32_t m_height = 0;
    TargetScale m_scale;
    std::array<TargetPoint, 4> m_centres{};
    std::array<RawTouchPoint, 4> m_points{};
    CalibrationRecord m_record;
    int m_targetIndex = 0;
    bool m_finished = false;
    // A message or the question is open; a new pass waits until it is answered.
    bool m_messageOpen = false;
    // Counts display changes, so an answer can tell whether its record still fits the screen.
    std::uint32_t m_displayChanges = 0;
};
