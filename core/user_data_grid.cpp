#include "core/user_data_grid.h"

#include "core/messages.h"
#include "core/settings.h"
#include "text/format.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace {

constexpr int kRowHeight = 17;
constexpr int kLabelWidth = 80;

}  // namespace

TqelUserInfo::TqelUserInfo(const QStringList& labels, QWidget* parent)
    : QTableWidget(static_cast<int>(labels.size()), 2, parent), labels_(labels)
{
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    horizontalHeader()->setFixedHeight(kRowHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    setHorizontalHeaderLabels({QString(), QString()});
    setColumnWidth(0, kLabelWidth);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    for (int row = 0; row < rowCount(); ++row) {
        auto* label = new QTableWidgetItem(labels_[row]);
        label->setFlags(Qt::ItemIsEnabled);
        label->setBackground(palette().button());
        setItem(row, 0, label);
        setItem(row, 1, new QTableWidgetItem());
    }
    setCurrentCell(0, 1);
}

QStringList TqelUserInfo::values() const
{
    QStringList result;
    for (int row = 0; row < rowCount(); ++row)
        result.append(item(row, 1)->text());
    return result;
}

void TqelUserInfo::setValues(const QStringList& values)
{
    for (int row = 0; row < rowCount(); ++row)
        item(row, 1)->setText(values.value(row));
}

void TqelUserInfo::formatLines(const QString& format, QStringList& lines) const
{
    const QStringList current = values();
    for (int row = 0; row < rowCount(); ++row)
        lines.append(SafeFormat(format, labels_[row], current[row]));
}

QString TqelUserInfo::visibleText() const
{
    QStringList lines;
    formatLines(QStringLiteral("%s: %s"), lines);
    return lines.join(u'\n');
}

void TqelUserInfo::simulateInput(const QString& value)
{
    const int row = currentRow() < 0 ? 0 : currentRow();
    item(row, 1)->setText(value);
    emit editingEnded();
}

void TqelUserInfo::moveDown()
{
    if (currentRow() + 1 < rowCount())
        setCurrentCell(currentRow() + 1, 1);
}

void TqelUserInfo::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTableWidget::closeEditor(editor, hint);
    emit editingEnded();
    if (hint == QAbstractItemDelegate::SubmitModelCache)  // closed by Enter
        moveDown();
}

void TqelUserInfo::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && state() != QAbstractItemView::EditingState) {
        moveDown();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void TqelUserInfo::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    setColumnWidth(1, std::max(0, viewport()->width() - kLabelWidth));
}

TqelUserData::TqelUserData(QWidget* parent) : TqelUserInfo(qel::SenderFieldNames(), parent)
{
    setValues(qel::LoadSenderData());
    connect(this, &TqelUserInfo::editingEnded, this, &TqelUserData::save);
}

TqelUserData::~TqelUserData()
{
    save();
}

void TqelUserData::save() const
{
    qel::SaveSenderData(values());
}

bool TqelUserData::IsComplete(const QStringList& values)
{
    const auto longEnough = [&](int index, int length) { return values.value(index).trimmed().size() >= length; };
    return longEnough(0, 2) && longEnough(1, 3) && longEnough(3, 6) && longEnough(5, 4);
}

bool TqelUserData::validate() const
{
    if (IsComplete(values()))
        return true;
    ShowMessage(QStringLiteral("Musisz podać wszystkie dane poprawnie!\r\nWymagane są: imię, nazwisko, adres i miasto!"));
    return false;
}
