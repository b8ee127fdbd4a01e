#pragma once

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QString>
#include <QStringList>

namespace lumo::test {

// The access letters of one row of menu items that clash with an earlier
// item's, and (with `everyItem`) the items that have none; "" when sound.
inline QString letterProblems(const QList<QAction*>& actions, bool everyItem) {
    QStringList problems;
    QSet<QString> seen;
    for (QAction* action : actions) {
        if (action->isSeparator()) continue;
        const QKeySequence letter = QKeySequence::mnemonic(action->text());
        if (letter.isEmpty()) {
            if (everyItem) problems.append("no letter: " + action->text());
            continue;
        }
        const QString key = letter.toString().toUpper();
        if (seen.contains(key)) problems.append("clash: " + action->text());
        seen.insert(key);
    }
    return problems.join("; ");
}

// The same for a menu bar and each of its drop-down menus.
inline QString menuBarLetterProblems(const QMenuBar& bar, bool everyItem) {
    QStringList problems;
    const QString top = letterProblems(bar.actions(), everyItem);
    if (!top.isEmpty()) problems.append(top);
    for (QAction* action : bar.actions()) {
        if (action->menu() == nullptr) continue;
        const QString items = letterProblems(action->menu()->actions(), everyItem);
        if (!items.isEmpty()) problems.append(items);
    }
    return problems.join("; ");
}

}  // namespace lumo::test
