#include "ui/ProtocolChooser.h"

#include "ui/FormControls.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

namespace pictaven {

QComboBox* addProtocolRow(QFormLayout& form, QWidget& parent, std::function<void(RemoteProtocol)> chosen)
{
    const QString caption = "Pr&otocol";
    auto* label = new QLabel(caption, &parent);
    auto* box = new QComboBox(&parent);
    box->setObjectName("protocol");
    box->setAccessibleName(plainCaption(caption));
    for (const RemoteProtocol protocol : remoteProtocols)
        box->addItem(protocolName(protocol));
    label->setBuddy(box);
    form.addRow(label, box);
    QObject::connect(box, QOverload<int>::of(&QComboBox::activated), box, [chosen = std::move(chosen)](int index) {
        if (index >= 0 && static_cast<std::size_t>(index) < remoteProtocols.size())
            chosen(remoteProtocols[static_cast<std::size_t>(index)]);
    });
    return box;
}

void showProtocol(QComboBox& box, RemoteProtocol protocol)
{
    box.setCurrentIndex(static_cast<int>(protocol));
}

} // namespace pictaven
