// Gives a global (a database table pointer or count) a test's value for the scope
// and puts the previous value back at its end.
#pragma once

template <class T>
class GlobalScope {
public:
    GlobalScope(T& global, T value) : global_(global), saved_(global) { global_ = value; }
    ~GlobalScope() { global_ = saved_; }
    GlobalScope(const GlobalScope&) = delete;
    GlobalScope& operator=(const GlobalScope&) = delete;

private:
    T& global_;
    T saved_;
};
