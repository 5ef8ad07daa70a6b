#include "settings/logic/StoredSettings.h"

#include <gtest/gtest.h>

namespace snapora {
namespace {

using namespace hotkey_modifier;

TEST(Hotkey, UsableKeysRepeatsAndPacking) {
    EXPECT_TRUE(IsUsableHotkey({}));
    EXPECT_TRUE(IsUsableHotkey({kControl | kShift, 'P'}));
    for (const Hotkey bad : {Hotkey{kControl, 0}, Hotkey{0, 0x11}, Hotkey{0, 0x01}, Hotkey{0x8, kPrintScreenKey}}) {
        EXPECT_FALSE(IsUsableHotkey(bad)) << bad.modifiers << "+" << bad.key;
    }
    EXPECT_EQ(FindRepeatedHotkey(kDefaultHotkeys), std::nullopt);
    EXPECT_EQ(FindRepeatedHotkey({kDefaultHotkeys[0], Hotkey{}, kDefaultHotkeys[0]}), 2u);
    EXPECT_EQ(FindRepeatedHotkey({Hotkey{}, Hotkey{}, kDefaultHotkeys[0]}), std::nullopt);
    EXPECT_EQ(PackHotkey(kDefaultHotkeys[1]), 0x22Cu);
    EXPECT_EQ(UnpackHotkey(PackHotkey({kAll, 0xFE})), (Hotkey{kAll, 0xFE}));
    EXPECT_EQ(UnpackHotkey(0x82C), std::nullopt);  // the Windows key
    EXPECT_EQ(UnpackHotkey(0x100), std::nullopt);  // a modifier without a key
}

TEST(StoredSettings, StringsEndAtTheirFirstNulAndNoKeyLoadsTwice) {
    StoredValues values;
    values[0] = {StoredType::Text, 0, std::wstring(L"pre\0fix", 7)};
    values[1] = {StoredType::Number, 61, {}};
    // Rectangle takes control+print screen, so entire screen's default
    // would clash and it loads without a key; window repeats rectangle's
    // key and falls back to its own default.
    const std::size_t rectangle = StoredIndex(L"RectangleHotkey");
    values[rectangle] = {StoredType::Number, PackHotkey(kDefaultHotkeys[1]), {}};
    values[StoredIndex(L"WindowHotkey")] = values[rectangle];
    const CaptureSettings loaded = SettingsFromStored(values);
    EXPECT_EQ(loaded.automaticPrefix, L"pre");
    // A prefix that leaves the folder, or names a stream, is the default.
    for (const wchar_t* outside : {L"..\\..\\x", L"\\x", L"a:b"}) {
        values[0] = {StoredType::Text, 0, outside};
        EXPECT_EQ(SettingsFromStored(values).automaticPrefix, L"Automatic") << outside;
    }
    EXPECT_EQ(loaded.automaticIntervalMs, 10000u);
    const CaptureHotkeys expected{kDefaultHotkeys[1], Hotkey{}, kDefaultHotkeys[2]};
    EXPECT_EQ(loaded.hotkeys, expected);
    EXPECT_EQ(SettingsFromStored(StoredFromSettings(loaded)).hotkeys, expected);
}

TEST(StoredSettings, TheAutomaticFormatIsKeptAndAnythingUnknownIsBmp) {
    CaptureSettings png;
    png.automaticFormat = PictureFormat::Png;
    EXPECT_EQ(SettingsFromStored(StoredFromSettings(png)).automaticFormat, PictureFormat::Png);
    EXPECT_EQ(SettingsFromStored(StoredFromSettings(CaptureSettings{})).automaticFormat, PictureFormat::Bmp);
    StoredValues values = StoredFromSettings(png);
    for (const StoredValue& bad : {StoredValue{StoredType::Text, 0, L"png"}, StoredValue{StoredType::Text, 0, L"JPEG"},
                                  StoredValue{StoredType::Number, 1, {}}, StoredValue{}}) {
        values[StoredIndex(L"AutomaticFormat")] = bad;
        EXPECT_EQ(SettingsFromStored(values).automaticFormat, PictureFormat::Bmp) << bad.text.size();
    }
}

TEST(StoredSettings, TheNotificationIconIsKeptAndOnlyAOneShowsIt) {
    CaptureSettings shown;
    shown.notificationIcon = true;
    EXPECT_TRUE(SettingsFromStored(StoredFromSettings(shown)).notificationIcon);
    StoredValues values = StoredFromSettings(CaptureSettings{});
    EXPECT_FALSE(SettingsFromStored(values).notificationIcon);
    for (const StoredValue& bad : {StoredValue{StoredType::Number, 2, {}}, StoredValue{StoredType::Text, 0, L"1"}}) {
        values[StoredIndex(L"NotificationIcon")] = bad;
        EXPECT_FALSE(SettingsFromStored(values).notificationIcon);
    }
    // The pin's key is stored beside the captures' keys, off by default.
    shown.hotkeys[3] = {hotkey_modifier::kShift, 'P'};
    EXPECT_EQ(SettingsFromStored(StoredFromSettings(shown)).hotkeys[3], (Hotkey{hotkey_modifier::kShift, 'P'}));
    EXPECT_TRUE(CaptureSettings{}.hotkeys[3].IsNone());
}

TEST(StoredSettings, TheScreenRangeIsKeptAndAnythingElseIsThePrimaryMonitor) {
    for (const ScreenRange range : kScreenRanges) {
        CaptureSettings settings;
        settings.screenRange = range;
        EXPECT_EQ(SettingsFromStored(StoredFromSettings(settings)).screenRange, range);
    }
    CaptureSettings all;
    all.screenRange = ScreenRange::AllMonitors;
    StoredValues values = StoredFromSettings(all);
    for (const StoredValue& bad : {StoredValue{StoredType::Number, 3, {}}, StoredValue{StoredType::Number, 0xFFFFFFFFu, {}},
                                  StoredValue{StoredType::Text, 0, L"1"}, StoredValue{}}) {
        values[StoredIndex(L"ScreenRange")] = bad;
        EXPECT_EQ(SettingsFromStored(values).screenRange, ScreenRange::Primary) << bad.number;
    }
}

TEST(StoredSettings, TheDrawingStyleAndBarAreKeptAndAnythingOutsideTheirRulesIsTheDefault) {
    CaptureSettings chosen;
    chosen.drawing = DrawingSettings{0x00123456, kMaximumDrawingWidth, kDrawingTextSizes.back(), false};
    EXPECT_EQ(SettingsFromStored(StoredFromSettings(chosen)).drawing, chosen.drawing);
    const auto number = [](std::uint32_t value) { return StoredValue{StoredType::Number, value, {}}; };
    StoredValues values = StoredFromSettings(chosen);
    values[StoredIndex(L"DrawingColour")] = number(0x01000000);  // not a plain RGB value
    values[StoredIndex(L"DrawingWidth")] = number(kMaximumDrawingWidth + 1);
    values[StoredIndex(L"DrawingTextSize")] = number(13);
    values[StoredIndex(L"DrawingBar")] = number(2);
    EXPECT_EQ(SettingsFromStored(values).drawing, DrawingSettings{});
    values[StoredIndex(L"DrawingWidth")] = number(kMinimumDrawingWidth - 1);
    values[StoredIndex(L"DrawingTextSize")] = StoredValue{StoredType::Text, 0, L"20"};
    EXPECT_EQ(SettingsFromStored(values).drawing, DrawingSettings{});
    values[StoredIndex(L"DrawingWidth")] = number(kMinimumDrawingWidth);
    EXPECT_EQ(SettingsFromStored(values).drawing.width, kMinimumDrawingWidth);
}

}  // namespace
}  // namespace snapora
