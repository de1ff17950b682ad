#include "CalibrationSequence.h"
#include "CalibrationTexts.h"

CalibrationSequence::CalibrationSequence(CalibrationScreen& screen, DriverLink& link,
                                         const ParametersStore& store, UiLanguage language)
    : m_screen(screen), m_link(link), m_store(store), m_language(language) {}

void CalibrationSequence::Initialise(std::uint32_t width, std::uint32_t height) {
    m_width = width;
    m_height = height;
    m_scale = ChooseTargetScale(m_store.ReadMargin(), width);
    m_centres = TargetCentres(width, height, m_scale.margin);
}

std::array<TargetSquare, 4> CalibrationSequence::CurrentSquares() const {
    return TargetSquares(CurrentCentre(), m_scale.radius);
}

void CalibrationSequence::OnRelease() {
    if (m_finished) {
        return;
    }
    m_screen.StopTimers();
    if (!m_link.ReadRawPoint(m_points[m_targetIndex])) {
        // A point the driver did not give must never end up in a record.
        AbandonPass();
        return;
    }
    if (m_targetIndex < 3) {
        ++m_targetIndex;
        m_screen.RepaintNow();
        return;
    }
    Finish();
}

void CalibrationSequence::OnDisplayChange(std::uint32_t width, std::uint32_t height) {
    Initialise(width, height);
    ++m_displayChanges;
    if (m_messageOpen) {
        return;
    }
    m_screen.StopTimers();
    StartNewPass();
}

void CalibrationSequence::Finish() {
    m_finished = true;
    m_screen.RepaintNow();
    const std::optional<CalibrationRecord> record =
        UsableCalibration(m_points, m_scale.margin, m_width, m_height);
    if (!record) {
        // A record from contradicting touches could leave the touchscreen unable to answer.
        ClearForMessage();
        m_screen.TellUnder(CalibrationTexts::kQuestionCaption,
                           CalibrationTexts::kTouchesMismatch.In(m_language));
        StartNewPass();
        return;
    }
    m_record = *record;
    m_link.SetCalibration(m_record);
    ClearForMessage();
    const std::uint32_t displayChanges = m_displayChanges;
    const bool save = m_screen.AskYesNo(CalibrationTexts::kSaveQuestion.In(m_language),
                                        CalibrationTexts::kQuestionCaption);
    if (!save || displayChanges != m_displayChanges) {
        StartNewPass();
        return;
    }
    if (m_store.StoreCalibration(m_record)) {
        m_link.SetCalibration();
    } else {
        m_screen.Tell(CalibrationTexts::kSaveFailed.In(m_language));
    }
    m_screen.EndAccepted();
}

void CalibrationSequence::AbandonPass() {
    m_finished = true;
    m_screen.RepaintNow();
    ClearForMessage();
    m_screen.Tell(CalibrationTexts::kCalibrationFailed.In(m_language));
    StartNewPass();
}

void CalibrationSequence::ClearForMessage() {
    m_messageOpen = true;
    m_screen.FillBackground();
    m_screen.ShowCursor(true);
}

void CalibrationSequence::StartNewPass() {
    m_messageOpen = false;
    m_finished = false;
    m_points = {};
    m_screen.ShowCursor(false);
    m_targetIndex = 0;
    m_screen.RepaintNow();
}
