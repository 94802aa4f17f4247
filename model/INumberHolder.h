#pragma once
// An object that keeps other objects of the document by their numbers (the
// ones it made for itself) rather than by links. When one of them is
// deleted it lets go of the number, so that a later object given the same
// number is not taken up as its own unseen.

class CBaseDevice;

class INumberHolder {
public:
    virtual ~INumberHolder() = default;
    // `going` is about to be deleted: every number held for it becomes 0.
    virtual void ForgetObject(const CBaseDevice& going) = 0;
};
