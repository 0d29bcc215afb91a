#include "core/progress_note.h"

namespace qel {
namespace {

ProgressSink& Sink()
{
    static ProgressSink sink;
    return sink;
}

}  // namespace

void SetProgressSink(ProgressSink sink)
{
    Sink() = std::move(sink);
}

void ShowProgressNote(const QString& text)
{
    if (Sink().show)
        Sink().show(text);
}

void ProgressNoteStep(const QString& text, int position, int total)
{
    if (Sink().step)
        Sink().step(text, position, total);
}

void EndProgressNote()
{
    if (Sink().end)
        Sink().end();
}

}  // namespace qel
