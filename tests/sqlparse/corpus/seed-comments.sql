select /* c, d */ id -- , name
 , name /* from x */ from orders -- from y
