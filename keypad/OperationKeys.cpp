#include "keypad/OperationKeys.h"

const OperationSpec* OperationOfCommand(unsigned commandId)
{
    for (const OperationKey& key : kOperationKeys)
        if (key.commandId == commandId)
            return FindOperation(key.operation);
    return nullptr;
}
