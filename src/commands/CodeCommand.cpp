#include "LazyCodeTable.h"
#include "LibraryCommands.h"
#include "Messages.h"
#include "WordTableRules.h"

namespace emb {

void CodeSelectedPhrases(const LibraryContext& context, LazyCodeTable& codes) {
    if (codes.Table() == nullptr) {
        context.prompt.ShowMessage(CodeTableUnreadableMessage(codes.Path()), MessageButtons::Ok);
        return;
    }
    const std::size_t uncoded = CodeSelectedRows(context.table, codes);
    if (uncoded > 0) {
        context.prompt.ShowMessage(UncodedPhrasesMessage(DecimalText(uncoded)), MessageButtons::Ok);
    }
}

}  // namespace emb
