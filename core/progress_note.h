#pragma once

#include <QString>

#include <functional>

// The progress notes of long database work. The progress window installs itself
// here; until it does (and in tests) the notes go nowhere.
namespace qel {

struct ProgressSink {
    std::function<void(const QString& text)> show;
    std::function<void(const QString& text, int position, int total)> step;
    std::function<void()> end;
};

void SetProgressSink(ProgressSink sink);
void ShowProgressNote(const QString& text);
void ProgressNoteStep(const QString& text, int position, int total);
void EndProgressNote();

}  // namespace qel
