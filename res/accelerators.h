#pragma once
#include <QKeyCombination>
#include <span>

// Accelerator table 128: keys of the main window and the command each sends.
struct Accelerator {
    QKeyCombination key;
    int command;
};

std::span<const Accelerator> acceleratorTable();

// Whether key (with its modifiers) is one of the table's keys.
bool isAcceleratorKey(QKeyCombination key);
