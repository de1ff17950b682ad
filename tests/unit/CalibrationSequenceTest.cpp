#include "CalibrationSequence.h"
#include "FakeDevice.h"
#include "FakeRegistry.h"
#include <algorithm>
#include <functional>
#include <string>
#include <gtest/gtest.h>

namespace {

const std::string kUsbKey = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Velmuro\\Parameters";

class FakeScreen final : public CalibrationScreen {
  public:
    std::vector<std::string> calls;
    std::vector<std::wstring> texts;
    std::vector<bool> answers; // taken in turn by AskYesNo
    std::function<void()> whileAsked;
    bool ended = false;

    void StopTimers() override { calls.push_back("stop-timers"); }
    void RepaintNow() override { calls.push_back("repaint"); }
    void FillBackground() override { calls.push_back("fill"); }
    void ShowCursor(bool visible) override { calls.push_back(visible ? "show" : "hide"); }
    bool AskYesNo(const wchar_t* text, const wchar_t* caption) override {
        calls.push_back("ask");
        if (whileAsked) {
            whileAsked();
        }
        texts.push_back(text);
        texts.push_back(caption);
        const bool answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    void Tell(const wchar_t* text) override {
        calls.push_back("tell");
        texts.push_back(text);
    }
    void TellUnder(const wchar_t* caption, const wchar_t* text) override {
        calls.push_back("tell");
        texts.push_back(text);
        texts.push_back(caption);
    }
    void EndAccepted() override {
        calls.push_back("end");
        ended = true;
    }
};

std::vector<std::uint8_t> Point(std::uint32_t x, std::uint32_t y) {
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t word : {x, y, 0u}) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<std::uint8_t>(word >> (8 * i)));
        }
    }
    return bytes;
}

struct Rig {
    FakeScreen screen;
    FakeDevice device;
    FakeRegistry registry;
    DriverLink link{device, DriverKind::Usb};
    ParametersStore store{registry, DriverKind::Usb};
    CalibrationSequence sequence{screen, link, store, UiLanguage::English};

    Rig() { registry.SetDword(kUsbKey, "CalibrateMargin", 4); }

    void Touch(std::uint32_t x, std::uint32_t y) {
        device.answer = Point(x, y);
        sequence.OnRelease();
    }
    void TouchWorkedPoints() {
        Touch(300, 400);
        Touch(310, 3700);
        Touch(3800, 3690);
        Touch(3790, 410);
    }
    void TouchPoints(const std::uint32_t (&xy)[4][2]) {
        for (const auto& point : xy) {
            Touch(point[0], point[1]);
        }
    }
    void TouchSwappedPoints() {
        Touch(400, 300);
        Touch(3700, 310);
        Touch(3690, 3800);
        Touch(410, 3790);
    }
    std::vector<std::vector<std::uint8_t>> CalibrationInputs() const {
        std::vector<std::vector<std::uint8_t>> inputs;
        for (const auto& call : device.calls) {
            if (call.what == "control" && call.code == 0x222010) {
                inputs.push_back(call.input);
            }
        }
        return inputs;
    }
};

const CalibrationRecord kWorkedRecord = [] {
    CalibrationRecord record;
    record.edgeA1 = 15326;
    record.edgeA2 = 394673;
    record.edgeB1 = 26195;
    record.edgeB2 = 383804;
    record.width = 1024;
    record.height = 768;
    return record;
}();

const CalibrationRecord kSwappedRecord = [] {
    CalibrationRecord record;
    record.edgeA1 = 383804;
    record.edgeA2 = 26195;
    record.edgeB1 = 15326;
    record.edgeB2 = 394673;
    record.swapped = 1;
    record.width = 1024;
    record.height = 768;
    return record;
}();

std::vector<std::uint8_t> Bytes(const CalibrationRecord& record) {
    const auto bytes = Serialize(record);
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

} // namespace

TEST(CalibrationSequence, UsesTheStoredMarginForTargets) {
    Rig rig;
    rig.sequence.Initialise(1024, 768);
    EXPECT_EQ(rig.sequence.Radius(), 8);
    EXPECT_EQ(rig.sequence.CurrentCentre().x, 40);
    EXPECT_EQ(rig.sequence.CurrentCentre().y, 30);
    EXPECT_EQ(rig.sequence.CurrentSquares()[2].right, 56);
    EXPECT_EQ(rig.registry.openKeys, 0);
}

TEST(CalibrationSequence, EachTouchReadsOnePointAndAdvances) {
    Rig rig;
    rig.sequence.Initialise(1024, 768);
    rig.Touch(300, 400);
    EXPECT_EQ(rig.sequence.TargetIndex(), 1);
    EXPECT_EQ(rig.sequence.CurrentCentre().y, 737);
    EXPECT_EQ(rig.screen.calls, (std::vector<std::string>{"stop-timers", "repaint"}));
    EXPECT_EQ(rig.device.ControlCodes(), std::vector<std::uint32_t>{0x222014});
}

TEST(CalibrationSequence, YesSendsStoresAndConfirmsTheRecord) {
    Rig rig;
    rig.screen.answers = {true};
    rig.sequence.Initialise(1024, 768);
    rig.TouchWorkedPoints();

    EXPECT_EQ(rig.sequence.Record(), kWorkedRecord);
    EXPECT_EQ(
        rig.device.ControlCodes(),
        (std::vector<std::uint32_t>{0x222014, 0x222014, 0x222014, 0x222014, 0x222010, 0x222010}));
    EXPECT_EQ(rig.CalibrationInputs(),
              (std::vector<std::vector<std::uint8_t>>{Bytes(kWorkedRecord), {}}));
    EXPECT_EQ(rig.registry.Find(kUsbKey, "Calibration")->data, Bytes(kWorkedRecord));
    const std::vector<std::string> finish = {"stop-timers", "repaint", "fill",
                                             "show",        "ask",     "end"};
    EXPECT_EQ(std::vector<std::string>(rig.screen.calls.end() - 6, rig.screen.calls.end()), finish);
    EXPECT_EQ(rig.screen.texts,
              (std::vector<std::wstring>{L"Save the calibration data?", L"USB TouchScreen"}));
}

TEST(CalibrationSequence, FinishedFlagIsSetWhileTheQuestionIsOpen) {
    struct Watching final : CalibrationScreen {
        const CalibrationSequence* sequence = nullptr;
        bool finishedWhileAsked = false;
        void StopTimers() override {}
        void RepaintNow() override {}
        void FillBackground() override {}
        void ShowCursor(bool) override {}
        bool AskYesNo(const wchar_t*, const wchar_t*) override {
            finishedWhileAsked = sequence->Finished();
            return false;
        }
        void Tell(const wchar_t*) override {}
        void TellUnder(const wchar_t*, const wchar_t*) override {}
        void EndAccepted() override {}
    } screen;
    FakeDevice device;
    device.answer = Point(100, 100);
    FakeRegistry registry;
    DriverLink link(device, DriverKind::Usb);
    ParametersStore store(registry, DriverKind::Usb);
    CalibrationSequence sequence(screen, link, store, UiLanguage::Chinese);
    screen.sequence = &sequence;
    sequence.Initialise(1024, 768);
    for (std::uint32_t i = 0; i < 4; ++i) {
        device.answer = Point(100 + 3000 * (i / 2), 100 + 3000 * ((i + 1) / 2 % 2));
        sequence.OnRelease();
    }
    EXPECT_TRUE(screen.finishedWhileAsked);
    EXPECT_FALSE(sequence.Finished());
}

TEST(CalibrationSequence, NoStartsANewPassFromClearedPoints) {
    Rig rig;
    rig.screen.answers = {false, true};
    rig.sequence.Initialise(1024, 768);
    rig.TouchWorkedPoints();

    EXPECT_EQ(rig.sequence.TargetIndex(), 0);
    EXPECT_FALSE(rig.sequence.Finished());
    EXPECT_FALSE(rig.screen.ended);
    EXPECT_EQ(rig.registry.Find(kUsbKey, "Calibration"), nullptr);
    const std::vector<std::string> newPass = {"ask", "hide", "repaint"};
    EXPECT_EQ(std::vector<std::string>(rig.screen.calls.end() - 3, rig.screen.calls.end()),
              newPass);

    rig.TouchSwappedPoints();
    EXPECT_EQ(rig.sequence.Record(), kSwappedRecord);
    EXPECT_TRUE(rig.screen.ended);
    EXPECT_EQ(rig.CalibrationInputs(), (std::vector<std::vector<std::uint8_t>>{
                                           Bytes(kWorkedRecord), Bytes(kSwappedRecord), {}}))
        << "both passes sent, one confirmation";
    EXPECT_EQ(rig.registry.Find(kUsbKey, "Calibration")->data, Bytes(kSwappedRecord));
}

TEST(CalibrationSequence, AFailedReadEndsThePassWithoutARecord) {
    for (int failing = 0; failing < 4; ++failing) {
        SCOPED_TRACE("read " + std::to_string(failing) + " fails");
        Rig rig;
        rig.screen.answers = {true};
        rig.sequence.Initialise(1024, 768);
        const std::uint32_t xs[4] = {9000, 9100, 100, 200}, ys[4] = {50, 9000, 9100, 60};
        for (int i = 0; i < failing; ++i) {
            rig.Touch(xs[i], ys[i]);
        }
        rig.device.requestsSucceed = false;
        rig.sequence.OnRelease();
        rig.device.requestsSucceed = true;

        EXPECT_TRUE(rig.CalibrationInputs().empty()) << "nothing sent for a broken pass";
        EXPECT_EQ(std::count(rig.screen.calls.begin(), rig.screen.calls.end(), "ask"), 0);
        const std::vector<std::string> abandoned = {"stop-timers", "repaint", "fill",   "show",
                                                    "tell",        "hide",    "repaint"};
        EXPECT_EQ(std::vector<std::string>(rig.screen.calls.end() - 7, rig.screen.calls.end()),
                  abandoned);
        ASSERT_EQ(rig.screen.texts.size(), 1u);
        EXPECT_NE(rig.screen.texts[0].find(L"could not be read"), std::wstring::npos);
        EXPECT_EQ(rig.sequence.TargetIndex(), 0);
        EXPECT_FALSE(rig.sequence.Finished());

        rig.TouchWorkedPoints();
        EXPECT_EQ(rig.sequence.Record(), kWorkedRecord);
        EXPECT_EQ(rig.CalibrationInputs(),
                  (std::vector<std::vector<std::uint8_t>>{Bytes(kWorkedRecord), {}}));
        EXPECT_TRUE(rig.screen.ended);
    }
}

TEST(CalibrationSequence, ContradictingTouchesAreNeitherSentNorStoredAndStartAgain) {
    Rig rig;
    rig.screen.answers = {true};
    rig.device.present = false; // the first read fails: the pass ends at once
    rig.sequence.Initialise(1024, 768);
    rig.sequence.OnRelease();
    EXPECT_TRUE(rig.device.ControlCodes().empty());
    EXPECT_EQ(rig.sequence.TargetIndex(), 0);
    EXPECT_EQ(std::count(rig.screen.calls.begin(), rig.screen.calls.end(), "tell"), 1);
    rig.device.present = true;

    const std::uint32_t noSpan[4][2] = {{2000, 2000}, {2000, 2000}, {2000, 2000}, {2000, 2000}};
    const std::uint32_t midEdge[4][2] = {{300, 400}, {310, 3700}, {3800, 3690}, {3795, 2050}};
    const std::uint32_t bounce[4][2] = {{300, 400}, {300, 400}, {3800, 3690}, {3790, 410}};
    for (const auto* pass : {&noSpan, &midEdge, &bounce}) {
        rig.screen.calls.clear();
        rig.screen.texts.clear();
        rig.TouchPoints(*pass);
        EXPECT_TRUE(rig.CalibrationInputs().empty());
        EXPECT_EQ(rig.registry.Find(kUsbKey, "Calibration"), nullptr);
        EXPECT_EQ(rig.sequence.TargetIndex(), 0);
        EXPECT_FALSE(rig.sequence.Finished());
        EXPECT_FALSE(rig.screen.ended);
        const std::vector<std::string> refused = {"stop-timers", "repaint", "fill",   "show",
                                                  "tell",        "hide",    "repaint"};
        EXPECT_EQ(std::vector<std::string>(rig.screen.calls.end() - 7, rig.screen.calls.end()),
                  refused);
        EXPECT_EQ(rig.screen.texts,
                  (std::vector<std::wstring>{
                      L"The touches did not match the targets. Please touch each target again.",
                      L"USB TouchScreen"}));
    }

    rig.TouchWorkedPoints();
    EXPECT_EQ(rig.sequence.Record(), kWorkedRecord);
    EXPECT_EQ(rig.CalibrationInputs(),
              (std::vector<std::vector<std::uint8_t>>{Bytes(kWorkedRecord), {}}));
    EXPECT_EQ(rig.registry.Find(kUsbKey, "Calibration")->data, Bytes(kWorkedRecord));
}

TEST(CalibrationSequence, AFailedSaveIsToldAndTheProgramStillEnds) {
    Rig rig;
    rig.screen.answers = {true};
    rig.registry.denyFullAccess = true;
    rig.sequence.Initialise(1024, 768);
    rig.TouchWorkedPoints();
    EXPECT_TRUE(rig.screen.ended);
    EXPECT_EQ(rig.CalibrationInputs().size(), 1u) << "no confirmation without a stored record";
    ASSERT_EQ(rig.screen.texts.size(), 3u);
    EXPECT_NE(rig.screen.texts[2].find(L"could not be saved"), std::wstring::npos);
    const std::vector<std::string> ending = {"ask", "tell", "end"};
    EXPECT_EQ(std::vector<std::string>(rig.screen.calls.end() - 3, rig.screen.calls.end()), ending);
}

TEST(CalibrationSequence, ChineseMessagesKeepTheEnglishCaption) {
    FakeScreen screen;
    screen.answers = {false};
    FakeDevice device;
    FakeRegistry registry;
    DriverLink link(device, DriverKind::Usb);
    ParametersStore store(registry, DriverKind::Usb);
    CalibrationSequence sequence(screen, link, store, UiLanguage::Chinese);
    sequence.Initialise(1024, 768);
    // A pass with target 3 touched half-way down the right edge, then a sound one.
    const std::uint32_t xs[8] = {300, 310, 3800, 3795, 300, 310, 3800, 3790};
    const std::uint32_t ys[8] = {400, 3700, 3690, 2050, 400, 3700, 3690, 410};
    for (int i = 0; i < 8; ++i) {
        device.answer = Point(xs[i], ys[i]);
        sequence.OnRelease();
    }
    EXPECT_EQ(screen.texts, (std::vector<std::wstring>{L"触摸点与目标不符，请重新触摸每个目标。",
                                                       L"USB TouchScreen", L"保存校准数据？",
                                                       L"USB TouchScreen"}));
}

TEST(CalibrationSequence, ADisplayChangeStartsAgainOnTheNewScreen) {
    // Half-way through a pass, and while the question about a finished pass is open.
    for (const bool duringQuestion : {false, true}) {
        SCOPED_TRACE(duringQuestion ? "during the question" : "half-way");
        Rig rig;
        rig.screen.answers = {true, true};
        rig.sequence.Initialise(1024, 768);
        if (duringQuestion) {
            rig.screen.whileAsked = [&rig] {
                rig.screen.whileAsked = nullptr;
                rig.sequence.OnDisplayChange(768, 1024);
            };
            rig.TouchWorkedPoints();
            EXPECT_EQ(rig.CalibrationInputs().size(), 1u) << "only the trial before the change";
        } else {
            rig.Touch(300, 400);
            rig.Touch(310, 3700);
            rig.sequence.OnDisplayChange(768, 1024);
        }
        EXPECT_EQ(rig.registry.Find(kUsbKey, "Calibration"), nullptr);
        EXPECT_FALSE(rig.screen.ended);
        EXPECT_EQ(rig.sequence.TargetIndex(), 0);
        EXPECT_EQ(rig.sequence.CurrentCentre().x, 30);
        EXPECT_EQ(rig.sequence.CurrentCentre().y, 40);
        EXPECT_EQ(std::vector<std::string>(rig.screen.calls.end() - 2, rig.screen.calls.end()),
                  (std::vector<std::string>{"hide", "repaint"}));

        rig.TouchWorkedPoints();
        EXPECT_TRUE(rig.screen.ended);
        EXPECT_EQ(rig.registry.Find(kUsbKey, "Calibration")->data, Bytes(rig.sequence.Record()));
        EXPECT_EQ(rig.sequence.Record().width, 768u);
        EXPECT_EQ(rig.sequence.Record().height, 1024u);
    }
}
