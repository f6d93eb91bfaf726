update t set a = :a, b = :"my b" where id = :old_id and x::int = 1 and y := 2 -- :c
/* :d */ and s = ':e'