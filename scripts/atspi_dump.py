#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Lists the windows of the running desktop program as the accessibility bus shows them to a screen reader: for
# each window its interactive controls, those without a name, names shared by two controls and focused objects.
# Usage: atspi_dump.py [label]   (the label heads the output, e.g. the window that was just opened)
import sys

import pyatspi

INTERACTIVE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT,
    pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_PAGE_TAB,
    pyatspi.ROLE_MENU, pyatspi.ROLE_DATE_EDITOR,
}
SKIP_CHILDREN = {pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_COMBO_BOX,
                 pyatspi.ROLE_MENU}


def heard_name(node):
    """A combo box is heard by the label it is related to; other controls by their name."""
    if node.getRole() == pyatspi.ROLE_COMBO_BOX:
        for relation in node.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY and relation.getNTargets() > 0:
                label = relation.getTarget(0)
                if label.getRole() == pyatspi.ROLE_LABEL:  # a group box's title alone does not name it
                    return label.name.strip()
        return ""
    return (node.name or "").strip()


def walk(node, context, found):
    for child in node:
        if child is None:
            continue
        role = child.getRole()
        state = child.getState()
        if role in INTERACTIVE or (role == pyatspi.ROLE_LABEL and state.contains(pyatspi.STATE_FOCUSABLE)):
            found["controls"].append((context, role, heard_name(child), child))
        if state.contains(pyatspi.STATE_FOCUSED):
            found["focused"].append(f"{child.getRoleName()} '{child.name}'")
        if role in SKIP_CHILDREN:
            continue
        inner = context + [child.name] if role in (pyatspi.ROLE_PANEL, pyatspi.ROLE_GROUPING) and child.name else context
        walk(child, inner, found)


def main():
    label = sys.argv[1] if len(sys.argv) > 1 else ""
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None or "mitoran" not in (app.name or "").lower():
            continue
        for window in app:
            if window is None or not window.getState().contains(pyatspi.STATE_SHOWING):
                continue
            found = {"controls": [], "focused": []}
            walk(window, [], found)
            unnamed = [f"{pyatspi.Accessible.getRoleName(c[3])}" for c in found["controls"] if not c[2]]
            heard = {}
            for context, role, name, _ in found["controls"]:
                if name and role != pyatspi.ROLE_RADIO_BUTTON:
                    key = " / ".join(context + [name])
                    heard[key] = heard.get(key, 0) + 1
            shared = {name: count for name, count in heard.items() if count > 1}
            print(f"[{label}] {window.getRoleName()} '{window.name}': {len(found['controls'])} controls, "
                  f"{len(unnamed)} unnamed {sorted(set(unnamed))}, {len(shared)} shared names {shared}, "
                  f"focused: {found['focused']}")


main()
