#pragma once
// Forms with one default instance each, loaded on first use and unloaded explicitly.
// A form derives from QWidget (or QDialog) and from FormEvents; LoadForm<F>() creates
// the instance and runs its Form_Load once; UnloadForm<F>() runs Form_Unload, which can
// refuse, and destroys it.
#include <QPointer>

class FormEvents {
public:
    virtual ~FormEvents() = default;
    virtual void Form_Load() {}
    // Set cancel to nonzero to keep the form loaded.
    virtual void Form_Unload(int& cancel) {}
};

template <class F>
QPointer<F>& FormSlot()
{
    static QPointer<F> instance;
    return instance;
}

template <class F>
F& LoadForm()
{
    QPointer<F>& slot = FormSlot<F>();
    if (!slot) {
        slot = new F;
        slot->Form_Load();
    }
    return *slot;
}

template <class F>
bool IsFormLoaded()
{
    return !FormSlot<F>().isNull();
}

// Returns false when the form refused to unload.
template <class F>
bool UnloadForm()
{
    QPointer<F>& slot = FormSlot<F>();
    if (!slot)
        return true;
    int cancel = 0;
    slot->Form_Unload(cancel);
    if (cancel)
        return false;
    F* form = slot.data();
    slot.clear();
    form->hide();
    form->deleteLater();
    return true;
}
