// SPDX-License-Identifier: MIT
#include "uMfrCurrentLoop4to20mA.h"

#include "BuiltInPictures.h"
#include "UiSeam.h"
#include "arith.h"
#include "scaling/scaling.h"

#include <QFontDatabase>

namespace {

struct TDirectionLabels
{
    const char *input;
    const char *inputUnit;
    const char *result;
    const char *resultUnit;
    // What a screen reader announces for the input and the result: quantity and unit.
    const char *inputName;
    const char *resultName;
};

// The output value is in whatever unit the transmitter's range is given, so it carries none.
constexpr TDirectionLabels ToValueLabels{
    "Current =", "mA", "Output value =", "", "Current, mA", "Output value"};
constexpr TDirectionLabels ToCurrentLabels{"Output value =", "",           "Current =", "mA",
                                           "Output value",   "Current, mA"};

} // namespace

TMfrCurrentLoop4to20mA::TMfrCurrentLoop4to20mA(QWidget *parent)
    : TMfrBaseFrame(parent)
{
    ui.setupUi(pMain());
    // The preset texts are padded into columns that line up only in a fixed-pitch font. Finding
    // the desktop's costs about a megabyte, so the list takes it when the tab is first opened.
    WhenFirstShown(ui.cbDefaults, [this] {
        ui.cbDefaults->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    });

    connect(bCalculate(), &QPushButton::clicked, this,
            [this] { RunGuarded(this, [this] { bCalculateClick(); }); });
    // activated: the user's pick, also of the entry already shown, so that picking it again
    // restores the range after the fields were edited.
    connect(ui.cbDefaults, &QComboBox::activated, this,
            [this] { RunGuarded(this, [this] { cbDefaultsChange(); }); });
    ui.bgDirection->setId(ui.rbToValue, ToValue);
    ui.bgDirection->setId(ui.rbToCurrent, ToCurrent);
    connect(ui.bgDirection, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            OnDirectionChange();
    });
    InitFrame();
}

void TMfrCurrentLoop4to20mA::InitFrame()
{
    TMfrBaseFrame::InitFrame();
    ui.cbDefaults->clear();
    for (const scaling::TLoopPreset &preset : scaling::LoopPresets)
        ui.cbDefaults->addItem(QString::fromStdString(scaling::LoopPresetText(preset)));
    ui.cbDefaults->setCurrentIndex(0);
    cbDefaultsChange();
    OnDirectionChange();
    bCalculateClick();
}

void TMfrCurrentLoop4to20mA::cbDefaultsChange()
{
    const int index = ui.cbDefaults->currentIndex();
    if (index < 0 || index >= static_cast<int>(scaling::LoopPresets.size()))
        return;
    const scaling::TLoopPreset &preset = scaling::LoopPresets[static_cast<std::size_t>(index)];
    ui.neValLo->setValue(static_cast<Extended>(preset.lo));
    ui.neValHi->setValue(static_cast<Extended>(preset.hi));
}

TMfrCurrentLoop4to20mA::TDirection TMfrCurrentLoop4to20mA::Direction() const
{
    return ui.bgDirection->checkedId() == ToCurrent ? ToCurrent : ToValue;
}

void TMfrCurrentLoop4to20mA::OnDirectionChange()
{
    const TDirectionLabels &labels = Direction() == ToCurrent ? ToCurrentLabels : ToValueLabels;
    ui.lInput->setText(QString::fromUtf8(labels.input));
    ui.lInputUnit->setText(QString::fromUtf8(labels.inputUnit));
    ui.lResult->setText(QString::fromUtf8(labels.result));
    ui.lResultUnit->setText(QString::fromUtf8(labels.resultUnit));
    ui.neInput->setAccessibleName(QString::fromUtf8(labels.inputName));
    ui.reResult->setResultName(QString::fromUtf8(labels.resultName));
}

void TMfrCurrentLoop4to20mA::bCalculateClick()
{
    const scaling::TLoopRange range{ui.neValLo->Value(), ui.neValHi->Value()};
    const bool toCurrent = Direction() == ToCurrent;
    // Only the current divides by the span; a flat range is a valid constant output value.
    if (toCurrent && range.lo == range.hi) {
        UiSeam().ShowWarning(
            this,
            QStringLiteral("Output value for 4 mA must be different then the value for 20 mA."));
        ui.reResult->ShowNoResult();
        return;
    }
    try {
        const Extended input = ui.neInput->Value();
        const Extended answer
            = toCurrent ? scaling::LoopCurrent(range, input) : scaling::LoopValue(range, input);
        ui.reResult->ShowValue(arith::ToDouble(answer));
    } catch (const std::exception &) {
        // An unreadable input or a result that cannot be computed or shown has no answer; the
        // user sees the marker, not a message.
        ui.reResult->ShowNoResult();
    }
}
