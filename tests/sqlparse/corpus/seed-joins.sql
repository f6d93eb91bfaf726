select o.id, c.name, l.qty from orders o inner join customers c on c.id = o.cust
left outer join lines l on l.order_id = o.id right join x using (k) full join y on 1=1 cross join z natural join w