#include "core/session/WindowDescriptions.h"

#include <utility>

namespace titralab::a11y {

namespace {

struct NamedControl {
    Control control;
    std::string_view name;
};

// The object name of every control, in the order of the enumeration.
constexpr NamedControl kControlNames[] = {
    {Control::SideChoice, "sideChoice"},
    {Control::StrongBaseChoice, "strongBaseChoice"},
    {Control::StudyChoice, "studyChoice"},
    {Control::BuretteConcentrationField, "buretteConcentrationField"},
    {Control::Concentration1Field, "concentration1Field"},
    {Control::Volume1Field, "volume1Field"},
    {Control::PKa1Field, "pKa1Field"},
    {Control::PKa2Field, "pKa2Field"},
    {Control::PKa3Field, "pKa3Field"},
    {Control::LineWidthField, "lineWidthField"},
    {Control::Concentration2Field, "concentration2Field"},
    {Control::Volume2Field, "volume2Field"},
    {Control::Column2PKa1Field, "column2PKa1Field"},
    {Control::Column2PKa2Field, "column2PKa2Field"},
    {Control::Column2PKa3Field, "column2PKa3Field"},
    {Control::EntryNameField, "entryNameField"},
    {Control::NextEntryButton, "nextEntryButton"},
    {Control::PreviousEntryButton, "previousEntryButton"},
    {Control::DatabaseColumnChoice, "databaseColumnChoice"},
    {Control::ShowButton, "showButton"},
    {Control::CopyButton, "copyButton"},
    {Control::PrintButton, "printButton"},
    {Control::PasteVolumeFirstButton, "pasteVolumeFirstButton"},
    {Control::PastePHFirstButton, "pastePHFirstButton"},
    {Control::PasteBuffer, "pasteBuffer"},
    {Control::CommandsDock, "commandsDock"},
    {Control::DatabaseDock, "databaseDock"},
    {Control::Chart, "chart"},
    {Control::PointCountField, "pointCountField"},
    {Control::DilutionBox, "dilutionBox"},
    {Control::Species1Box, "species1Box"},
    {Control::Species2Box, "species2Box"},
    {Control::Species3Box, "species3Box"},
    {Control::Species4Box, "species4Box"},
    {Control::Column2Species1Box, "column2Species1Box"},
    {Control::Column2Species2Box, "column2Species2Box"},
    {Control::ConductivityBox, "conductivityBox"},
    {Control::PastedPointsBox, "pastedPointsBox"},
    {Control::HydroniumBox, "hydroniumBox"},
    {Control::GraphPrintButton, "printButton"},
    {Control::GraphPointStyleButton, "pointStyleButton"},
    {Control::GraphCopyButton, "copyButton"},
    {Control::CopyPointCountField, "pointCountField"},
    {Control::SamplingChoice, "samplingChoice"},
    {Control::CopyConfirmButton, "copyButton"},
    {Control::CopyCancelButton, "cancelButton"},
    {Control::Polyacid1PKa1Field, "polyacid1PKa1Field"},
    {Control::Polyacid1PKa2Field, "polyacid1PKa2Field"},
    {Control::Polyacid1PKa3Field, "polyacid1PKa3Field"},
    {Control::Polyacid1VolumeField, "polyacid1VolumeField"},
    {Control::Polyacid1ConcentrationField, "polyacid1ConcentrationField"},
    {Control::Polyacid2PKa1Field, "polyacid2PKa1Field"},
    {Control::Polyacid2PKa2Field, "polyacid2PKa2Field"},
    {Control::Polyacid2PKa3Field, "polyacid2PKa3Field"},
    {Control::Polyacid2VolumeField, "polyacid2VolumeField"},
    {Control::Polyacid2ConcentrationField, "polyacid2ConcentrationField"},
    {Control::MixtureVolumeField, "mixtureVolumeField"},
    {Control::MixturePHField, "mixturePHField"},
    {Control::MixtureHydroniumField, "mixtureHydroniumField"},
    {Control::MixtureSpecies1Field, "mixtureSpecies1Field"},
    {Control::MixtureSpecies2Field, "mixtureSpecies2Field"},
    {Control::MixtureSpecies3Field, "mixtureSpecies3Field"},
    {Control::MixtureSpecies4Field, "mixtureSpecies4Field"},
    {Control::MixtureSpecies5Field, "mixtureSpecies5Field"},
    {Control::MixtureSpecies6Field, "mixtureSpecies6Field"},
    {Control::MixtureSpecies7Field, "mixtureSpecies7Field"},
    {Control::MixtureSpecies8Field, "mixtureSpecies8Field"},
    {Control::MixtureOkButton, "okButton"},
    {Control::PrintLineWidthField, "lineWidthField"},
    {Control::DashLengthField, "dashLengthField"},
    {Control::CharSizeField, "charSizeField"},
    {Control::GraduationsField, "graduationsField"},
    {Control::ZoomBox, "zoomBox"},
    {Control::ConstantsBox, "constantsBox"},
    {Control::ColourBox, "colourBox"},
    {Control::ArrowsBox, "arrowsBox"},
    {Control::GridBox, "gridBox"},
    {Control::PageFormatChoice, "pageFormatChoice"},
    {Control::Comment1Field, "comment1Field"},
    {Control::Comment2Field, "comment2Field"},
    {Control::PrintConfirmButton, "printButton"},
    {Control::PrintCancelButton, "cancelButton"},
    {Control::PrinterPropertiesButton, "printerPropertiesButton"},
    {Control::PrintPointStyleButton, "pointStyleButton"},
    {Control::PreviewButton, "previewButton"},
    {Control::PointStyleChoice, "styleChoice"},
    {Control::PointStyleOkButton, "okButton"},
    {Control::AboutOkButton, "okButton"},
    {Control::SheetText, "sheetText"},
};

constexpr bool inEnumerationOrder() {
    int k = 0;
    for (const NamedControl& c : kControlNames)
        if (static_cast<int>(c.control) != k++) return false;
    return true;
}
static_assert(inEnumerationOrder(), "one name per control, in the order of the enumeration");

// The panel's fields and their controls.
constexpr std::pair<Field, Control> kFieldControls[] = {
    {Field::BuretteConcentration, Control::BuretteConcentrationField},
    {Field::Concentration1, Control::Concentration1Field},
    {Field::Volume1, Control::Volume1Field},
    {Field::PKa1, Control::PKa1Field},
    {Field::PKa2, Control::PKa2Field},
    {Field::PKa3, Control::PKa3Field},
    {Field::LineWidth, Control::LineWidthField},
    {Field::Concentration2, Control::Concentration2Field},
    {Field::Volume2, Control::Volume2Field},
    {Field::PKa2_1, Control::Column2PKa1Field},
    {Field::PKa2_2, Control::Column2PKa2Field},
    {Field::PKa2_3, Control::Column2PKa3Field},
};

// The control of the field in slot `slot` of the panel.
Control fieldControlAt(int slot) {
    for (const auto& [field, control] : kFieldControls)
        if (static_cast<int>(field) == slot) return control;
    return Control::BuretteConcentrationField;
}

} // namespace

std::string_view controlName(Control control) {
    return kControlNames[static_cast<std::size_t>(control)].name;
}

std::string objectName(const ControlText& text) {
    std::string name(controlName(text.control));
    return text.item < 0 ? name : name + "_" + std::to_string(text.item);
}

const ControlText* find(const ControlTexts& texts, Control control, int item) {
    for (const ControlText& t : texts)
        if (t.control == control && t.item == item) return &t;
    return nullptr;
}

Control fieldControl(Field field) {
    return fieldControlAt(static_cast<int>(field));
}

} // namespace titralab::a11y
