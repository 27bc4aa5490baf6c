// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the engine reaches outside itself through the interfaces it owns: the program injects the real
// ones, tests their own.
namespace mitoran {

class Clock;
class Folders;
class Questions;
class SettingsStore;
class WriterLock;

struct PlatformServices {
    SettingsStore& store;
    const Folders& folders;
    const Clock& clock;
    Questions& questions;
    // One writer at a time across processes; none where the files are shared with no other program (tests).
    WriterLock* writerLock = nullptr;
};

} // namespace mitoran
