#include "LibraryCommands.h"
#include "Messages.h"

namespace emb {

void ClearTable(const LibraryContext& context) {
    const MessageAnswer answer =
        context.prompt.ShowMessage(std::u16string(kConfirmClearMessage), MessageButtons::YesNo);
    if (answer == MessageAnswer::Yes) {
        context.table.DeleteAllRows();
    }
}

}  // namespace emb
