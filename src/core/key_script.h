#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumo::core {

// One step of a key script: the examiner's keys and what they wait for.
struct KeyScriptStep {
    enum class Kind {
        Wait,    // until the active window is `argument` ("box" for a message box), at most `seconds`
        Expect,  // the active window shows the text `argument` (a label or the box's text)
        Key,     // the key combination `argument` ("Alt+E", "Down", "Return"), `count` times
        Type,    // the text `argument`, one key per character
        Focus,   // gives the focus to the control named `argument` in the active window
        Shot,    // saves a picture of the active window as the PNG file `argument`
    };
    Kind kind = Kind::Key;
    std::string argument;
    int count = 1;
    double seconds = 10;
    int line = 0;  // in the script file, for the error messages
};

// Reads a script: one step per line ("wait frmSubjNew", "key Alt+E", "key Down 3",
// "type Ivanov Ivan", "focus edName", "expect There are no Examinees to choose",
// "shot new_examinee.png"); blank lines and lines starting with "#" are skipped.
// EConvertError naming the line for anything else.
std::vector<KeyScriptStep> parseKeyScript(std::string_view text);

}  // namespace lumo::core
