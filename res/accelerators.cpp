#include "res/accelerators.h"

#include "res/resource.h"

#include <array>

namespace {

const std::array<Accelerator, 9> table = {{
    {Qt::CTRL | Qt::Key_C, res::ID_EDIT_COPY},
    {Qt::CTRL | Qt::Key_Insert, res::ID_EDIT_COPY},
    {Qt::CTRL | Qt::Key_X, res::ID_EDIT_CUT},
    {Qt::SHIFT | Qt::Key_Delete, res::ID_EDIT_CUT},
    {Qt::CTRL | Qt::Key_V, res::ID_EDIT_PASTE},
    {Qt::SHIFT | Qt::Key_Insert, res::ID_EDIT_PASTE},
    {Qt::CTRL | Qt::Key_Z, res::ID_EDIT_UNDO},
    {Qt::ALT | Qt::Key_Backspace, res::ID_EDIT_UNDO},
    {Qt::ALT | Qt::Key_F4, res::ID_MINIMIZE},
}};

}  // namespace

std::span<const Accelerator> acceleratorTable()
{
    return table;
}

bool isAcceleratorKey(QKeyCombination key)
{
    for (const Accelerator& accelerator : table) {
        if (accelerator.key == key)
            return true;
    }
    return false;
}
