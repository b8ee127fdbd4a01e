#pragma once

#include <span>
#include <string_view>

namespace lumo::core {

// What F1 does in one window of the workstation: the help page that explains
// it ("test_window.html", or "about.html#progress" for a dialog that shares a
// page), whether the window keeps F1 for itself (the test window ignores it
// so that nothing covers the chart during a recording), and whether the help
// window goes when this window goes.
struct HelpTopic {
    std::string_view windowClass;
    std::string_view page;
    bool windowOwnsF1 = false;
    bool closesHelp = false;
};

// Every window of the workstation, the help window itself included.
std::span<const HelpTopic> helpTopics();

// The topic of a window class, named with or without its namespaces
// ("lumo::core::ui::TfrmMain" or "TfrmMain"); nullptr for any other class.
const HelpTopic* helpTopicFor(std::string_view windowClass);

// The class name after its last "::".
std::string_view bareClassName(std::string_view qualifiedName);

// "about.html#progress" -> "about.html"; a page without an anchor stays.
std::string_view pageFile(std::string_view page);

}  // namespace lumo::core
