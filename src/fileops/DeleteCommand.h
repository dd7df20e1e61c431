#pragma once

#include <QObject>

class TForm1;

namespace quil {

struct Services;

// Delete (SpeedButton9, F8): the marked entries or the current row's, after
// the warning with its "to the trash" box; to the trash or for good through
// the file operation, then the tree node and the list read again with the
// row after the removed entries selected.
class DeleteCommand : public QObject
{
    Q_OBJECT
public:
    DeleteCommand(TForm1 &form, Services &services);

    void run();

private:
    TForm1 &m_form;
    Services &m_services;
};

} // namespace quil
