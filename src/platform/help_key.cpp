#include "platform/help_key.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <string>

#include "core/help_index.h"
#include "core/help_topics.h"
#include "platform/help_viewer.h"

namespace lumo::platform {

namespace {

// The topic of the window itself, else of the window that opened it.
const core::HelpTopic* topicOf(const QWidget* window) {
    for (const QWidget* at = window; at != nullptr;
         at = at->parentWidget() != nullptr ? at->parentWidget()->window() : nullptr) {
        if (const auto* topic = core::helpTopicFor(at->metaObject()->className())) return topic;
    }
    return nullptr;
}

void closeHelpWindows() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* viewer = qobject_cast<HelpViewer*>(widget); viewer != nullptr && viewer->isVisible()) viewer->close();
    }
}

}  // namespace

HelpKey::HelpKey(ViewerAccess viewer, QObject* parent) : QObject(parent), viewer_(std::move(viewer)) {}

std::string HelpKey::pageFor(const QWidget* window) {
    const core::HelpTopic* topic = topicOf(window);
    if (topic == nullptr) return std::string(core::HelpIndex::kContentsPage);
    return topic->windowOwnsF1 ? std::string() : std::string(topic->page);
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier || widget == nullptr) return false;
        const std::string page = pageFor(widget->window());
        if (page.empty()) return false;
        if (!key->isAutoRepeat()) viewer_().openPage(page);
        return true;
    }
    // The program's own hiding, not a minimised window.
    if (event->type() == QEvent::Hide && !event->spontaneous()) {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || !widget->isWindow()) return false;
        const auto* topic = core::helpTopicFor(widget->metaObject()->className());
        if (topic != nullptr && topic->closesHelp) closeHelpWindows();
    }
    return false;
}

void installHelpKey(QApplication& application, HelpKey::ViewerAccess viewer) {
    application.installEventFilter(new HelpKey(std::move(viewer), &application));
}

}  // namespace lumo::platform
