#include "view/QuillmarkView.h"

#include "controls/ItemTable.h"
#include "controls/ListTree.h"
#include "controls/QuickAddField.h"
#include "dialogs/NewItemDlg.h"
#include "dialogs/NewListDlg.h"
#include "dialogs/PastePreviewDlg.h"
#include "document/ItemNames.h"
#include "document/ListsModel.h"
#include "document/QuillmarkDoc.h"
#include "exchange/csv/CsvImport.h"
#include "exchange/csv/CsvImportJob.h"
#include "exchange/csv/ImportFields.h"
#include "model/SortedAdd.h"
#include "prompt/Prompter.h"
#include "res/Tr.h"

#include <QClipboard>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

// From the tree the chosen list's table opens first.
void CQuillmarkView::StartAdding()
{
    const int list = CListsModel::ListOf(Chosen());
    if (list < 0 || m_mode == Mode::Item || m_mode == Mode::Find)
        return;
    if (m_mode == Mode::Tree) {
        SetCurrent(m_lists->ListIndex(list));
        Show(Mode::Items, Mode::Tree);
    }
    if (!IsAdding()) {
        m_names->Take(m_doc.Lists());
        m_quickAdd->Clear();
        m_quickAdd->show();
        LayOut();
    }
    m_quickAdd->setFocus();
}

void CQuillmarkView::StopAdding()
{
    if (!IsAdding())
        return;
    const bool hadFocus = m_quickAdd->hasFocus();
    m_quickAdd->Clear();
    m_quickAdd->hide();
    LayOut();
    if (hadFocus && m_mode == Mode::Items)
        m_listItems->setFocus();
}

bool CQuillmarkView::IsAdding() const
{
    return m_quickAdd && m_quickAdd->isVisible();
}

int CQuillmarkView::HeldItem(int list, const QString &name) const
{
    if (list < 0 || name.isEmpty())
        return -1;
    const QList<CListItem> &items = m_doc.Lists().at(list).m_items;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (CompareItemNames(items.at(i).m_strName.View(), name) == 0)
            return int(i);
    }
    return -1;
}

void CQuillmarkView::NoteWhetherHeld()
{
    const int list = CListsModel::ListOf(m_curList);
    const QString name = PastedText::SplitPrice(m_quickAdd->text(), QLocale()).name;
    const int held = HeldItem(list, name);
    QString note;
    if (held >= 0) {
        //: Beside the name typed in the add field, when the list holds it (Enter then unticks it).
        note = m_doc.Lists().at(list).m_items.at(held).m_bDone ? Tr::tr("On the list, done")
                                                                : Tr::tr("Already on the list");
    }
    m_quickAdd->SetNote(note);
}

// A name the list holds is chosen rather than added twice, and unticked
// when done: what someone who buys it again means.
void CQuillmarkView::AddTyped(bool evenIfHeld)
{
    const int list = CListsModel::ListOf(m_curList);
    const PastedText::NameAndPrice typed = PastedText::SplitPrice(m_quickAdd->text(), QLocale());
    if (list < 0 || typed.name.isEmpty())
        return;
    if (const int held = HeldItem(list, typed.name); held >= 0 && !evenIfHeld) {
        m_doc.SetDone(list, held, false);
        m_listItems->SelectItem(m_lists->ItemIndex(list, held));
        m_quickAdd->Clear();
        return;
    }
    CListItem item;
    if (const CListItem *chosen = m_quickAdd->Chosen()) {
        item.SetDescription(chosen->m_strDesc);
        item.m_nIcon = chosen->m_nIcon;
        item.m_dPrice = chosen->m_dPrice;
    } else {
        item.m_nIcon = CNewItemDlg::ProposedIcon();
    }
    item.SetName(typed.name);
    if (typed.price != 0.0 || !m_quickAdd->Chosen())
        item.m_dPrice = typed.price;
    m_doc.AddItems(list, {item});
    SelectAdded(list, item);
    m_quickAdd->Clear();
    m_names->Take(m_doc.Lists());
}

void CQuillmarkView::SelectAdded(int list, const CListItem &item)
{
    if (m_mode != Mode::Items || list >= m_doc.Lists().size())
        return;
    const QList<CListItem> &items = m_doc.Lists().at(list).m_items;
    for (qsizetype i = items.size() - 1; i >= 0; --i) {
        if (items.at(i) == item) {
            m_listItems->SelectItem(m_lists->ItemIndex(list, int(i)));
            return;
        }
    }
}

void CQuillmarkView::PasteItems()
{
    const int list = CListsModel::ListOf(Chosen());
    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    if (list < 0 || !clip)
        return;
    // This program's own copy says most in Markdown; other programs' plain
    // text is what the user saw.
    const QString markdown = QString::fromUtf8(clip->data(QStringLiteral("text/markdown")));
    const QString text = clip->hasText() ? clip->text() : markdown;
    AddLines(list, text);
}

bool CQuillmarkView::AddLines(int list, const QString &text)
{
    return AddRead(list, PastedText::Parse(text, QLocale(), CNewItemDlg::ProposedIcon()));
}

bool CQuillmarkView::AddRead(int list, const PastedText::Parsed &parsed, const QString &newList)
{
    if (parsed.items.isEmpty()) {
        Prompts().Message(window(), Tr::tr("The text holds no items to add."));
        return false;
    }
    if (parsed.items.size() + parsed.skipped.size() > 1) {
        QStringList skipped;
        for (const PastedText::Skipped &line : parsed.skipped)
            //: A line of pasted text that was not added: its number, its text, and why.
            skipped << Tr::tr("Line %L1: %2 (%3)").arg(line.line).arg(line.text.trimmed(), PastedText::WhyText(line.why));
        CPastePreviewDlg preview(parsed.items, skipped, window());
        if (Prompts().Run(preview) != QDialog::Accepted)
            return false;
    }
    if (list < 0) {
        CListItemArray added;
        added.SetName(newList);
        added.m_nIcon = CNewListDlg::kNewListIcon;
        AddItemsSorted(added, parsed.items);
        m_doc.AppendList(added);
        return true;
    }
    const CListItem first = parsed.items.constFirst();
    m_doc.AddItems(list, parsed.items);
    if (m_mode == Mode::Items && CListsModel::ListOf(m_curList) == list)
        SelectAdded(list, first);
    return true;
}

QStringList CQuillmarkView::DroppedFiles(const QMimeData *mime)
{
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl &url : mime->urls()) {
        const QString suffix = QFileInfo(url.fileName()).suffix().toLower();
        if (url.isLocalFile() && (suffix == u"csv" || suffix == u"txt" || suffix == u"md"))
            files << url.toLocalFile();
    }
    return files;
}

int CQuillmarkView::ListAt(const QPoint &pos) const
{
    const QWidget *under = childAt(pos);
    if (m_mode == Mode::Items && under && m_listItems->isAncestorOf(under))
        return CListsModel::ListOf(m_curList);
    if (m_mode == Mode::Tree && under && m_tree->isAncestorOf(under)) {
        const QModelIndex row = m_tree->indexAt(m_tree->viewport()->mapFrom(this, pos));
        return row.isValid() ? CListsModel::ListOf(m_tree->ListsIndexOf(row)) : -1;
    }
    return -1;
}

void CQuillmarkView::dragEnterEvent(QDragEnterEvent *event)
{
    if (!DroppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CQuillmarkView::dragMoveEvent(QDragMoveEvent *event)
{
    if (!DroppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CQuillmarkView::dropEvent(QDropEvent *event)
{
    const QStringList files = DroppedFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    const int list = ListAt(event->position().toPoint());
    for (const QString &file : files)
        DropFile(file, list);
}

// A comma-separated file is read with the import's fields, as File > Import
// reads it; other text as if pasted.
void CQuillmarkView::DropFile(const QString &path, int list)
{
    const QFileInfo info(path);
    PastedText::Parsed read;
    CsvImport::Result result;
    if (info.suffix().compare(u"csv", Qt::CaseInsensitive) == 0) {
        result = CsvImport::ReadDroppedCsv(path, CImportFields::Read(), read.items);
    } else {
        QString text;
        result = CsvImport::ReadDroppedText(path, text);
        if (result.Ok())
            read = PastedText::Parse(text, QLocale(), CNewItemDlg::ProposedIcon());
    }
    if (!result.Ok()) {
        Prompts().Message(window(), CsvImport::ImportMessage(result));
        return;
    }
    AddRead(list, read, info.completeBaseName());
}
