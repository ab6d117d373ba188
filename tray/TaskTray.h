#pragma once

#include "tray/EInvalidOperation.h"
#include "tray/NotifyArea.h"
#include "tray/NotifyData.h"

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace zol {

class TNotifyWindow;
class TTaskTray;

enum class TMouseButton { mbLeft = 0, mbRight = 1, mbMiddle = 2 };

// The component only ever passes no flag or the one flag of the button concerned.
enum class TShiftState { None = 0, ssLeft = 1, ssRight = 2, ssMiddle = 4 };

using TButtonDblClick = std::function<void(TTaskTray& Seft, TMouseButton Button)>;
using TMouseEvent =
    std::function<void(TTaskTray& Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TTaskTray& Sender, TShiftState Shift, int X, int Y)>;

// State of the TaskTray module, one per process.
struct TaskTrayModule {
    // One entry per live component: its identifier's decimal text and the component.
    // Kept in insertion order and searched by text, first match wins.
    std::vector<std::pair<QString, TTaskTray*>> IconIDList;
    // Receives every component's callback messages; made by the first update that
    // reaches the notification area, gone with its owner.
    QPointer<TNotifyWindow> NotifyWindow;
    // Set while one callback message is dispatched; further ones are dropped meanwhile.
    bool NotifyBusy = false;

    TTaskTray* find(const QString& idText) const;
};

TaskTrayModule& TaskTrayState();

// One icon in the notification area with its tip, turning the icon's mouse actions into
// events and popup menus. The owner is the QObject parent; a top-level form as owner is
// brought to the front on every press.
class TTaskTray : public QObject {
    Q_OBJECT

public:
    TTaskTray(QObject* owner, std::shared_ptr<NotifyArea> area);
    ~TTaskTray() override;

    // Published properties, in the order a host applies its saved settings.
    QMenu* PopupMenuL() const { return FPopupMenuL; }
    void setPopupMenuL(QMenu* menu);
    QMenu* PopupMenuR() const { return FPopupMenuR; }
    void setPopupMenuR(QMenu* menu);
    QString TipString() const { return FTipString; }
    void setTipString(const QString& tip);
    QIcon Icon() const { return FIcon; }
    // A null icon empties the component's image and takes the icon off the notification area.
    void setIcon(const QIcon& icon);
    int IconID() const { return FIconID; }
    void setIconID(int value);
    bool Registered() const { return FRegistered; }
    void setRegistered(bool value);
    TButtonDblClick OnDblClick;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

    // Whether the notification area holds this component's icon.
    bool Added() const { return FAdded; }
    const NotifyData& Data() const { return FNotifyData; }
    NotifyArea& Area() const { return *FArea; }

    // Called by the host once all saved settings are applied.
    virtual void Loaded();
    virtual void IconChange();
    virtual void RemoveIcon();
    virtual void UpdateIcon();
    virtual void DblClick(TMouseButton Button);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);

private:
    QString FTipString;
    QIcon FIcon;
    int FIconID = 1;
    // Not owned; a menu that is destroyed clears its reference by itself.
    QPointer<QMenu> FPopupMenuL;
    QPointer<QMenu> FPopupMenuR;
    NotifyData FNotifyData;
    bool FRegistered = false;
    bool FAdded = false;
    std::shared_ptr<NotifyArea> FArea;
};

} // namespace zol
