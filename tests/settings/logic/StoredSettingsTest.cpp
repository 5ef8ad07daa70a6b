#include "settings/logic/StoredSettings.h"

#include <gtest/gtest.h>

#include "settings/logic/OptionsRules.h"

namespace snapora {
namespace {

using namespace hotkey_modifier;

StoredValue Number(std::uint32_t value) { return {StoredType::Number, value, {}}; }
StoredValue Text(std::wstring value) { return {StoredType::Text, 0, std::move(value)}; }

TEST(Hotkey, UsableKeysRepeatsAndPacking) {
    EXPECT_TRUE(IsUsableHotkey({}));
    EXPECT_TRUE(IsUsableHotkey({kControl | kShift, 'P'}));
    EXPECT_FALSE(IsUsableHotkey({kControl, 0}));        // modifiers without a key
    EXPECT_FALSE(IsUsableHotkey({0, 0x11}));            // control on its own
    EXPECT_FALSE(IsUsableHotkey({0, 0x01}));            // a mouse button
    EXPECT_FALSE(IsUsableHotkey({0x8, kPrintScreenKey}));   // the Windows key

    CaptureHotkeys keys = kDefaultHotkeys;
    EXPECT_EQ(FindRepeatedHotkey(keys), std::nullopt);
    keys[2] = keys[0];
    EXPECT_EQ(FindRepeatedHotkey(keys), 2u);
    keys = {Hotkey{}, Hotkey{}, Hotkey{kAlt, 'A'}};  // rows without a key never clash
    EXPECT_EQ(FindRepeatedHotkey(keys), std::nullopt);

    for (const Hotkey& key : {Hotkey{}, kDefaultHotkeys[1], Hotkey{kAll, 0xFE}}) {
        EXPECT_EQ(UnpackHotkey(PackHotkey(key)), key);
    }
    EXPECT_EQ(PackHotkey({kControl, kPrintScreenKey}), 0x22Cu);
    EXPECT_EQ(UnpackHotkey(0x100), std::nullopt);
    EXPECT_EQ(UnpackHotkey(0x1000 | kPrintScreenKey), std::nullopt);
    EXPECT_EQ(UnpackHotkey(0xFF), std::nullopt);
}

TEST(StoredSettings, WhatIsWrittenReadsBackTheSame) {
    CaptureSettings settings;
    settings.automaticPrefix = L"";
    settings.automaticDuration = 30;
    settings.automaticFolder = L"my pics";
    settings.pointerAreaHeight = 480;
    settings.pointerAreaWidth = 80;
    settings.hotkeys = {Hotkey{}, Hotkey{kControl | kShift, 'R'}, Hotkey{0, kPrintScreenKey}};
    const StoredValues stored = StoredFromSettings(settings, 7000);
    EXPECT_EQ(stored[2].text, L"0.5");
    EXPECT_EQ(stored[1].number, 7u);
    const LoadedSettings loaded = SettingsFromStored(stored);
    EXPECT_EQ(loaded.automaticIntervalMs, 7000u);
    EXPECT_EQ(loaded.settings.automaticPrefix, L"");
    EXPECT_EQ(loaded.settings.automaticDuration, 30.0f);
    EXPECT_EQ(loaded.settings.automaticFolder, L"my pics");
    EXPECT_EQ(loaded.settings.pointerAreaHeight, 480);
    EXPECT_EQ(loaded.settings.pointerAreaWidth, 80.0f);
    EXPECT_EQ(loaded.settings.hotkeys, settings.hotkeys);

    // Nothing stored at all: the defaults.
    const LoadedSettings empty = SettingsFromStored(StoredValues{});
    EXPECT_EQ(empty.automaticIntervalMs, 10000u);
    EXPECT_EQ(empty.settings.automaticFolder, L"CapPicture");
    EXPECT_EQ(empty.settings.hotkeys, kDefaultHotkeys);
}

TEST(StoredSettings, EachBadValueGivesItsDefaultAndTheRestStillLoad) {
    struct Case {
        std::size_t slot;
        StoredValue bad;
    };
    const std::wstring tooLong(kMaxNameLength + 1, L'x');
    const Case cases[] = {
        {0, Number(5)},                 {0, Text(tooLong)},           {1, Text(L"7")},
        {1, Number(0)},                 {1, Number(61)},              {2, Number(3)},
        {2, Text(L"61")},               {2, Text(L"1e1")},            {3, Text(L"a/b")},
        {3, Text(L"CON")},              {3, Text(L"   ")},            {3, Text(tooLong)},
        {3, {StoredType::Other, 0, {}}}, {4, Number(59)},             {4, Number(481)},
        {5, Number(0xFFFFFFFFu)},       {5, Text(L"160")},            {6, Number(0x100)},
        {7, Number(0x1000)},            {8, Text(L"556")},
    };
    CaptureSettings good;
    good.automaticPrefix = L"p";
    good.automaticDuration = 90;
    good.automaticFolder = L"shots";
    good.pointerAreaHeight = 200;
    good.pointerAreaWidth = 300;
    good.hotkeys = {Hotkey{kAlt, 'R'}, Hotkey{kAlt, 'E'}, Hotkey{kAlt, 'W'}};
    const StoredValues goodValues = StoredFromSettings(good, 5000);
    const LoadedSettings expectedGood = SettingsFromStored(goodValues);
    const LoadedSettings defaults;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "slot " << c.slot);
        StoredValues values = goodValues;
        values[c.slot] = c.bad;
        const LoadedSettings loaded = SettingsFromStored(values);
        const auto pick = [&](std::size_t slot) -> const LoadedSettings& {
            return slot == c.slot ? defaults : expectedGood;
        };
        EXPECT_EQ(loaded.settings.automaticPrefix, pick(0).settings.automaticPrefix);
        EXPECT_EQ(loaded.automaticIntervalMs, pick(1).automaticIntervalMs);
        EXPECT_EQ(loaded.settings.automaticDuration, pick(2).settings.automaticDuration);
        EXPECT_EQ(loaded.settings.automaticFolder, pick(3).settings.automaticFolder);
        EXPECT_EQ(loaded.settings.pointerAreaHeight, pick(4).settings.pointerAreaHeight);
        EXPECT_EQ(loaded.settings.pointerAreaWidth, pick(5).settings.pointerAreaWidth);
        for (std::size_t row = 0; row < kHotkeyCaptureCount; ++row) {
            EXPECT_EQ(loaded.settings.hotkeys[row], pick(6 + row).settings.hotkeys[row]);
        }
    }
}

TEST(StoredSettings, StringsEndAtTheirFirstNulAndRepeatedKeysNeverLoad) {
    StoredValues values;
    values[0] = Text(std::wstring(L"pre\0fix", 7));
    values[3] = Text(std::wstring(L"dir\0", 4));
    // Rectangle takes control+print screen: entire screen's own default
    // would clash, so it loads without a key; window repeats rectangle's
    // key and falls back to its default.
    values[6] = Number(PackHotkey(kDefaultHotkeys[1]));
    values[8] = Number(PackHotkey(kDefaultHotkeys[1]));
    const LoadedSettings loaded = SettingsFromStored(values);
    EXPECT_EQ(loaded.settings.automaticPrefix, L"pre");
    EXPECT_EQ(loaded.settings.automaticFolder, L"dir");
    EXPECT_EQ(loaded.settings.hotkeys[0], kDefaultHotkeys[1]);
    EXPECT_TRUE(loaded.settings.hotkeys[1].IsNone());
    EXPECT_EQ(loaded.settings.hotkeys[2], kDefaultHotkeys[2]);
}

}  // namespace
}  // namespace snapora
