// The RTF control words the sheet reader knows, and what each one does.
#pragma once

#include <string_view>

namespace titralab::sheets {

enum class Action {
    Par,             // end of paragraph
    Char,            // a character, `value`
    Bold,            // \b, \b0
    Italic,          // \i, \i0
    Underline,       // \ul and its styles, \ul0
    UnderlineNone,   // \ulnone
    Hidden,          // \v, \v0
    Script,          // \sub \super \nosupersub, `value` is the Script
    Raise,           // \upN \dnN: `value` is the Script when N is not 0
    Plain,           // character formatting back to the default
    FontSize,        // \fsN, half-points
    Colour,          // \cfN, index in the colour table
    Pard,            // paragraph formatting back to the default
    Spacing,         // \li \ri \fi \sb \sa, `value` is the SpacingField
    Align,           // \ql \qc \qr \qj, `value` is the Alignment
    Unicode,         // \uN
    UnicodeSkip,     // \ucN
    Bin,             // \binN, N bytes of binary data follow
    CodePage,        // \ansicpgN
    CharacterSet,    // \ansi \mac \pc \pca, `value` is the code page
    Red,             // colour table components
    Green,           // |
    Blue,            // |
    ColourTable,     // \colortbl
    SkipDestination, // a group whose content is never shown
};

enum class SpacingField { Left, Right, First, Before, After };

struct Word {
    std::string_view name;
    Action action;
    char32_t value{0};
};

// The word named `name`, or nullptr for a word the reader does not know.
const Word* findWord(std::string_view name);

} // namespace titralab::sheets
